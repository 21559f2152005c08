#include "clipboard.h"

#include <utility>

namespace orv {

void TClipboardBackend::ReadText(const std::function<void(std::u16string_view)>& Reader) {
  const String Text = GetText();
  Reader(Text);
}

void TClipboardBackend::WriteText(const std::function<void(String&)>& Writer) {
  String Text;
  Writer(Text);
  SetText(Text);
}

namespace {

class TInProcessClipboard : public TClipboardBackend {
 public:
  String GetText() override { return FText; }
  void ReadText(const std::function<void(std::u16string_view)>& Reader) override { Reader(FText); }
  void SetText(const String& Text) override { FText = Text; }
  void WriteText(const std::function<void(String&)>& Writer) override {
    FText.clear();
    Writer(FText);
  }
  bool HasText() override { return !FText.empty(); }
  void Clear() override { FText.clear(); }

 private:
  String FText;
};

}  // namespace

TClipboard::TClipboard() : FBackend(std::make_unique<TInProcessClipboard>()) {}

TClipboard::~TClipboard() = default;

String TClipboard::AsText() { return FBackend->GetText(); }

void TClipboard::ReadText(const std::function<void(std::u16string_view)>& Reader) { FBackend->ReadText(Reader); }

void TClipboard::SetAsText(const String& Value) { FBackend->SetText(Value); }

void TClipboard::WriteText(const std::function<void(String&)>& Writer) {
  try {
    FBackend->WriteText(Writer);
  } catch (...) {
    FBackend->Clear();
    throw;
  }
}

bool TClipboard::HasFormat(uint16_t Format) { return Format == CF_TEXT && FBackend->HasText(); }

void TClipboard::Clear() { FBackend->Clear(); }

void TClipboard::SetBackend(std::unique_ptr<TClipboardBackend> Backend) {
  FBackend = Backend ? std::move(Backend) : std::make_unique<TInProcessClipboard>();
}

TClipboard* Clipboard() {
  static TClipboard Instance;
  return &Instance;
}

}  // namespace orv
