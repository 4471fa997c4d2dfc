#include "framework/stream.h"

#include <algorithm>
#include <cstring>
#include <filesystem>
#include <system_error>

#include "framework/exceptions.h"
#include "framework/format.h"

std::int64_t TStream::Size() {
  std::int64_t position = Seek(0, soCurrent);
  std::int64_t end = Seek(0, soEnd);
  Seek(position, soBeginning);
  return end;
}

void TStream::SetSize(std::int64_t) {}

void TStream::ReadBuffer(void* buffer, std::int64_t count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError("Stream read error");
}

void TStream::WriteBuffer(const void* buffer, std::int64_t count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError("Stream write error");
}

std::int64_t TStream::CopyFrom(TStream& source, std::int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  std::int64_t total = count;
  std::vector<std::uint8_t> buffer(static_cast<std::size_t>(std::min<std::int64_t>(count, 0xF000)));
  while (count > 0) {
    std::int64_t n = std::min<std::int64_t>(count, static_cast<std::int64_t>(buffer.size()));
    source.ReadBuffer(buffer.data(), n);
    WriteBuffer(buffer.data(), n);
    count -= n;
  }
  return total;
}

std::int64_t TCustomMemoryStream::Read(void* buffer, std::int64_t count) {
  if (position_ < 0 || count <= 0) return 0;
  std::int64_t n = std::min(count, Size() - position_);
  if (n <= 0) return 0;
  std::memcpy(buffer, data_.data() + position_, static_cast<std::size_t>(n));
  position_ += n;
  return n;
}

std::int64_t TCustomMemoryStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  switch (origin) {
    case soBeginning:
      position_ = offset;
      break;
    case soCurrent:
      position_ += offset;
      break;
    case soEnd:
      position_ = Size() + offset;
      break;
  }
  return position_;
}

void TCustomMemoryStream::SaveToStream(TStream& stream) const {
  if (!data_.empty()) stream.WriteBuffer(data_.data(), static_cast<std::int64_t>(data_.size()));
}

void TCustomMemoryStream::SaveToFile(const std::string& fileName) const {
  TFileStream file(fileName, fmCreate);
  SaveToStream(file);
}

std::int64_t TMemoryStream::Write(const void* buffer, std::int64_t count) {
  if (position_ < 0 || count <= 0) return 0;
  std::int64_t end = position_ + count;
  if (end > Size()) {
    try {
      data_.resize(static_cast<std::size_t>(end));
    } catch (const std::bad_alloc&) {
      throw EStreamError("Out of memory while expanding memory stream");
    }
  }
  std::memcpy(data_.data() + position_, buffer, static_cast<std::size_t>(count));
  position_ = end;
  return count;
}

void TMemoryStream::SetSize(std::int64_t size) {
  if (size < 0) size = 0;
  try {
    data_.resize(static_cast<std::size_t>(size));
  } catch (const std::bad_alloc&) {
    throw EStreamError("Out of memory while expanding memory stream");
  }
}

void TMemoryStream::Clear() {
  data_.clear();
  data_.shrink_to_fit();
  position_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& stream) {
  stream.SetPosition(0);
  std::int64_t size = stream.Size();
  SetSize(size);
  if (size != 0) stream.ReadBuffer(data_.data(), size);
  position_ = 0;
}

void TMemoryStream::LoadFromFile(const std::string& fileName) {
  TFileStream file(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(file);
}

TStringStream::TStringStream(const std::string& data) {
  WriteString(data);
  position_ = 0;
}

std::string TStringStream::DataString() const {
  return std::string(reinterpret_cast<const char*>(data_.data()), data_.size());
}

std::string TStringStream::ReadString(std::int64_t count) {
  std::string out(static_cast<std::size_t>(std::max<std::int64_t>(0, std::min(count, Size() - position_))), '\0');
  out.resize(static_cast<std::size_t>(Read(out.data(), static_cast<std::int64_t>(out.size()))));
  return out;
}

void TStringStream::WriteString(const std::string& text) {
  WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
}

TFileStream::TFileStream(const std::string& fileName, unsigned mode) : fileName_(fileName) {
  bool create = (mode & 0xFF00) == fmCreate;
  unsigned access = mode & 3;
  std::error_code ec;
  bool directory = std::filesystem::is_directory(fileName, ec);
  const char* how = create ? "w+b" : (access == fmOpenRead ? "rb" : "r+b");
  if (!directory && !fileName.empty()) file_ = std::fopen(fileName.c_str(), how);
  if (!file_) {
    if (create) throw EFCreateError(Format("Cannot create file %s", fileName));
    throw EFOpenError(Format("Cannot open file %s", fileName));
  }
  canRead_ = create || access != fmOpenWrite;
  canWrite_ = create || access != fmOpenRead;
  if (canWrite_) std::setvbuf(file_, nullptr, _IONBF, 0);
}

TFileStream::~TFileStream() {
  if (file_) std::fclose(file_);
}

void TFileStream::Switch(bool writing) {
  int op = writing ? 2 : 1;
  if (lastOp_ != 0 && lastOp_ != op) std::fseek(file_, 0, SEEK_CUR);
  lastOp_ = op;
}

std::int64_t TFileStream::Read(void* buffer, std::int64_t count) {
  if (!canRead_ || count <= 0) return 0;
  Switch(false);
  return static_cast<std::int64_t>(std::fread(buffer, 1, static_cast<std::size_t>(count), file_));
}

std::int64_t TFileStream::Write(const void* buffer, std::int64_t count) {
  if (!canWrite_ || count <= 0) return 0;
  Switch(true);
  return static_cast<std::int64_t>(std::fwrite(buffer, 1, static_cast<std::size_t>(count), file_));
}

std::int64_t TFileStream::Seek(std::int64_t offset, TSeekOrigin origin) {
  int whence = origin == soBeginning ? SEEK_SET : (origin == soCurrent ? SEEK_CUR : SEEK_END);
  if (!(origin == soCurrent && offset == 0)) {
    if (std::fseek(file_, static_cast<long>(offset), whence) != 0) return -1;
    lastOp_ = 0;
  }
  return static_cast<std::int64_t>(std::ftell(file_));
}

void TFileStream::SetSize(std::int64_t size) {
  std::fflush(file_);
  std::error_code ec;
  if (!canWrite_ || size < 0) throw EWriteError("Stream write error");
  std::filesystem::resize_file(fileName_, static_cast<std::uintmax_t>(size), ec);
  if (ec) throw EWriteError("Stream write error");
  Seek(size, soBeginning);
}
