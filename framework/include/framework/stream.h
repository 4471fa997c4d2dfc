// Streams of bytes: the abstract TStream with its checked buffer calls, a
// growable memory stream and a stream over a host file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "framework/object.h"

enum TSeekOrigin { soBeginning, soCurrent, soEnd };

// File stream modes: one access mode, or'ed with one share mode (accepted
// for compatibility; the host does not enforce sharing). fmCreate creates
// or empties the file and opens it for reading and writing.
inline constexpr unsigned fmOpenRead = 0x0000;
inline constexpr unsigned fmOpenWrite = 0x0001;
inline constexpr unsigned fmOpenReadWrite = 0x0002;
inline constexpr unsigned fmShareCompat = 0x0000;
inline constexpr unsigned fmShareExclusive = 0x0010;
inline constexpr unsigned fmShareDenyWrite = 0x0020;
inline constexpr unsigned fmShareDenyRead = 0x0030;
inline constexpr unsigned fmShareDenyNone = 0x0040;
inline constexpr unsigned fmCreate = 0xFF00;

class TStream : public TObject {
 public:
  // Read and Write move at most `count` bytes and return how many they did.
  virtual std::int64_t Read(void* buffer, std::int64_t count) = 0;
  virtual std::int64_t Write(const void* buffer, std::int64_t count) = 0;
  // Returns the new position.
  virtual std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) = 0;

  std::int64_t Position() { return Seek(0, soCurrent); }
  void SetPosition(std::int64_t position) { Seek(position, soBeginning); }
  virtual std::int64_t Size();
  virtual void SetSize(std::int64_t size);

  // Exactly `count` bytes or EReadError "Stream read error".
  void ReadBuffer(void* buffer, std::int64_t count);
  // Exactly `count` bytes or EWriteError "Stream write error".
  void WriteBuffer(const void* buffer, std::int64_t count);
  // Copies `count` bytes from the source's position, or all of the source
  // from its start when count is 0; returns the bytes copied.
  std::int64_t CopyFrom(TStream& source, std::int64_t count);
};

class TCustomMemoryStream : public TStream {
 public:
  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  std::int64_t Size() override { return static_cast<std::int64_t>(data_.size()); }
  // The bytes, valid until the size changes.
  std::uint8_t* Memory() { return data_.data(); }
  const std::uint8_t* Memory() const { return data_.data(); }
  void SaveToStream(TStream& stream) const;
  void SaveToFile(const std::string& fileName) const;

 protected:
  std::vector<std::uint8_t> data_;
  std::int64_t position_ = 0;
};

class TMemoryStream : public TCustomMemoryStream {
 public:
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  // Keeps the position even when it falls beyond the new end.
  void SetSize(std::int64_t size) override;
  void Clear();
  // Replaces the contents with the whole of `stream` (from its start).
  void LoadFromStream(TStream& stream);
  void LoadFromFile(const std::string& fileName);
};

// A memory stream seen as text: starts with `data` at position 0.
class TStringStream : public TMemoryStream {
 public:
  explicit TStringStream(const std::string& data = "");
  std::string DataString() const;
  // Up to `count` bytes from the position.
  std::string ReadString(std::int64_t count);
  void WriteString(const std::string& text);
};

// A host file. Opening fails with EFOpenError "Cannot open file %s",
// creating with EFCreateError "Cannot create file %s". A stream open for
// writing writes through at once, so a full disk fails the write itself.
class TFileStream : public TStream {
 public:
  TFileStream(const std::string& fileName, unsigned mode);
  ~TFileStream() override;

  std::int64_t Read(void* buffer, std::int64_t count) override;
  std::int64_t Write(const void* buffer, std::int64_t count) override;
  std::int64_t Seek(std::int64_t offset, TSeekOrigin origin) override;
  // Cuts or extends the file and moves the position to the new end.
  void SetSize(std::int64_t size) override;
  const std::string& FileName() const { return fileName_; }

 private:
  void Switch(bool writing);

  std::string fileName_;
  std::FILE* file_ = nullptr;
  bool canRead_ = false;
  bool canWrite_ = false;
  int lastOp_ = 0;  // 1 read, 2 write: the C library needs a seek between
};
