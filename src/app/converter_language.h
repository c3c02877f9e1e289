// The converter's messages in Russian where the system's locale is Russian.
#pragma once

#include <QTranslator>

#include <memory>

namespace chromaloom {

// The converter's translation for the locale of the environment, from
// translations/ beside the program (a build tree) or share/chromaloom/
// translations of an install; nullptr for English or where none is found.
std::unique_ptr<QTranslator> ConverterMessages();

}  // namespace chromaloom
