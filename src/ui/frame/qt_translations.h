#pragma once

class QCoreApplication;

namespace klemvar {

// Loads Qt's own translations for the desktop's language, so the standard
// buttons of message boxes ("Ja", "Nein" under German) and Qt's other built-in
// texts speak it as the desktop's own boxes do. Klemvar's texts never go
// through a translator: they stay German whatever the language. Nothing
// happens where no translation for the language is installed.
void LoadQtTranslations(QCoreApplication& application);

}  // namespace klemvar
