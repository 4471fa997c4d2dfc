#include "framework/picture.h"

#include <algorithm>
#include <cctype>
#include <typeindex>

#include "framework/exceptions.h"

namespace {

struct Registry {
  std::vector<TFileFormat> files;
  std::vector<TClipboardFormat> clipboard;
  std::vector<std::pair<std::type_index, TGraphicClass>> classes;

  Registry() {
    files.push_back({"bmp", "Bitmaps", &MakeGraphic<TBitmap>});
    clipboard.push_back({CF_BITMAP, &MakeGraphic<TBitmap>});
    Learn(&MakeGraphic<TBitmap>);
  }
  // Remembers which C++ class a factory makes, so a graphic can be copied
  // into a new object of its own class.
  void Learn(TGraphicClass make) {
    std::unique_ptr<TGraphic> sample(make());
    std::type_index type(typeid(*sample));
    for (auto& [t, f] : classes)
      if (t == type) {
        f = make;
        return;
      }
    classes.emplace_back(type, make);
  }
  TGraphicClass ClassOf(const TGraphic& graphic) const {
    std::type_index type(typeid(graphic));
    for (auto& [t, f] : classes)
      if (t == type) return f;
    return nullptr;
  }
};

Registry& TheRegistry() {
  static Registry registry;
  return registry;
}

std::string Lower(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return s;
}

std::string ExtensionOf(const std::string& fileName) {
  std::size_t dot = fileName.find_last_of('.');
  std::size_t sep = fileName.find_last_of("/\\");
  if (dot == std::string::npos || (sep != std::string::npos && dot < sep)) return {};
  return fileName.substr(dot + 1);
}

}  // namespace

TPicture::TPicture() = default;
TPicture::~TPicture() = default;

void TPicture::Changed(TObject*) {
  if (OnChange) OnChange(this);
}

void TPicture::Adopt(std::unique_ptr<TGraphic> graphic) {
  graphic_ = std::move(graphic);
  if (graphic_) graphic_->OnChange = [this](TObject* sender) { Changed(sender); };
  Changed(this);
}

void TPicture::SetGraphic(TGraphic* graphic) {
  if (graphic == graphic_.get() && graphic) return;
  if (!graphic) return Adopt(nullptr);
  TGraphicClass make = TheRegistry().ClassOf(*graphic);
  if (!make) throw EInvalidGraphic("Unknown picture class " + graphic->ClassName());
  std::unique_ptr<TGraphic> copy(make());
  copy->Assign(graphic);
  Adopt(std::move(copy));
}

TBitmap* TPicture::Bitmap() {
  auto* bitmap = dynamic_cast<TBitmap*>(graphic_.get());
  if (!bitmap) {
    auto fresh = std::make_unique<TBitmap>();
    bitmap = fresh.get();
    Adopt(std::move(fresh));
  }
  return bitmap;
}

void TPicture::LoadFromFile(const std::string& fileName) {
  const std::string ext = Lower(ExtensionOf(fileName));
  const auto& files = TheRegistry().files;
  auto it = std::find_if(files.begin(), files.end(), [&](const TFileFormat& f) { return f.extension == ext; });
  if (it == files.end()) throw EInvalidGraphic("Unknown picture file extension (." + ext + ")");
  std::unique_ptr<TGraphic> graphic(it->graphicClass());
  // The picture keeps its old graphic when the file cannot be read.
  graphic->LoadFromFile(fileName);
  Adopt(std::move(graphic));
}

void TPicture::SaveToFile(const std::string& fileName) {
  if (graphic_) graphic_->SaveToFile(fileName);
}

void TPicture::LoadFromClipboardFormat(UINT format, HANDLE data, HPALETTE palette) {
  const auto& formats = TheRegistry().clipboard;
  auto it = std::find_if(formats.begin(), formats.end(), [&](const TClipboardFormat& f) { return f.format == format; });
  if (it == formats.end()) throw EInvalidGraphic("Unsupported clipboard format");
  std::unique_ptr<TGraphic> graphic(it->graphicClass());
  graphic->LoadFromClipboardFormat(format, data, palette);
  Adopt(std::move(graphic));
}

void TPicture::SaveToClipboardFormat(UINT& format, HANDLE& data, HPALETTE& palette) {
  if (graphic_) graphic_->SaveToClipboardFormat(format, data, palette);
}

void TPicture::Assign(TPersistent* source) {
  if (!source) return SetGraphic(nullptr);
  if (auto* picture = dynamic_cast<TPicture*>(source)) return SetGraphic(picture->Graphic());
  if (auto* graphic = dynamic_cast<TGraphic*>(source)) return SetGraphic(graphic);
  TPersistent::Assign(source);
}

void TPicture::RegisterFileFormat(const std::string& extension, const std::string& description,
                                  TGraphicClass graphicClass) {
  Registry& r = TheRegistry();
  std::string ext = Lower(extension);
  if (!ext.empty() && ext.front() == '.') ext.erase(0, 1);
  r.Learn(graphicClass);
  for (auto& f : r.files)
    if (f.extension == ext) {
      f = {ext, description, graphicClass};
      return;
    }
  r.files.push_back({ext, description, graphicClass});
}

void TPicture::UnregisterGraphicClass(TGraphicClass graphicClass) {
  Registry& r = TheRegistry();
  std::erase_if(r.files, [&](const TFileFormat& f) { return f.graphicClass == graphicClass; });
  std::erase_if(r.clipboard, [&](const TClipboardFormat& f) { return f.graphicClass == graphicClass; });
}

void TPicture::RegisterClipboardFormat(UINT format, TGraphicClass graphicClass) {
  Registry& r = TheRegistry();
  r.Learn(graphicClass);
  for (auto& f : r.clipboard)
    if (f.format == format) {
      f.graphicClass = graphicClass;
      return;
    }
  r.clipboard.push_back({format, graphicClass});
}

bool TPicture::SupportsClipboardFormat(UINT format) {
  const auto& formats = TheRegistry().clipboard;
  return std::any_of(formats.begin(), formats.end(), [&](const TClipboardFormat& f) { return f.format == format; });
}

const std::vector<TFileFormat>& TPicture::FileFormats() { return TheRegistry().files; }
const std::vector<TClipboardFormat>& TPicture::ClipboardFormats() { return TheRegistry().clipboard; }

std::string TPicture::GraphicFilter() {
  std::string all, each;
  for (const auto& f : FileFormats()) {
    const std::string mask = "*." + f.extension;
    all += (all.empty() ? "" : ";") + mask;
    each += "|" + f.description + " (" + mask + ")|" + mask;
  }
  return "All (" + all + ")|" + all + each;
}
