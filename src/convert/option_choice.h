// An option's names as the converter's command line, the import dialog and
// the settings file all spell them.
#pragma once

#include <optional>
#include <string_view>

namespace chromaloom {

template <typename Value>
struct OptionChoice {
  const char* Name;
  Value Choice;
};

// The value of the choice with this name; nullopt for any other name.
template <typename Value, typename Choices>
std::optional<Value> ChoiceNamed(const Choices& choices, std::string_view name) {
  for (const OptionChoice<Value>& choice : choices)
    if (name == choice.Name) return choice.Choice;
  return std::nullopt;
}

}  // namespace chromaloom
