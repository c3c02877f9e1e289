// What the programs print on the command line in Russian where the system's
// locale is Russian: the converter's messages, and both programs' --help.
#pragma once

#include <QTranslator>

#include <memory>
#include <string>

#include "picture/translated_text.h"

namespace chromaloom {

// The translation for the locale of the environment, from translations/
// beside the program (a build tree) or share/chromaloom/translations of an
// install; nullptr for English or where none is found. Needs no application
// object, so it serves before one exists.
std::unique_ptr<QTranslator> CommandLineMessages();

// text in the language of messages, or in English without them.
std::string Say(const UserText& text, const QTranslator* messages);

}  // namespace chromaloom
