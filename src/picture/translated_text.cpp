#include "picture/translated_text.h"

namespace chromaloom {

UserText UserText::Of(const char* pattern, std::vector<UserText> parts) {
  UserText text;
  text.pattern_ = pattern;
  text.parts_ = std::move(parts);
  return text;
}

std::string UserText::English() const {
  return Shown([](const char*) { return std::string(); });
}

std::string UserText::Shown(const std::function<std::string(const char*)>& translate) const {
  if (!pattern_) return plain_;
  std::vector<std::string> parts;
  for (const UserText& part : parts_) parts.push_back(part.Shown(translate));
  const std::string translated = translate(pattern_);
  return FillIn(translated.empty() ? std::string_view(pattern_) : std::string_view(translated), parts);
}

UserText TextOf(const std::exception& error) {
  if (const auto* text = dynamic_cast<const UserTextError*>(&error)) return text->Text();
  return std::string(error.what());
}

std::string FillIn(std::string_view pattern, const std::vector<std::string>& parts) {
  std::string text;
  for (std::size_t i = 0; i < pattern.size(); ++i) {
    const char next = i + 1 < pattern.size() ? pattern[i + 1] : '\0';
    const std::size_t n = next >= '1' && next <= '9' ? static_cast<std::size_t>(next - '0') : 0;
    if (pattern[i] == '%' && n >= 1 && n <= parts.size()) {
      text += parts[n - 1];
      ++i;
    } else {
      text += pattern[i];
    }
  }
  return text;
}

}  // namespace chromaloom
