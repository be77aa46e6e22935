#pragma once

// The desktop services the windows go through. The application object holds the
// one set; tests put their stand-ins into it.

#include "platform/messagebox/message_box.h"
#include "platform/urlopen/url_opener.h"

namespace klemvar {

struct DesktopServices {
  MessageBoxService* boxes = &QtMessageBoxService();
  UrlOpener* urls = &DesktopUrlOpener();
};

// Shows a box through the application's message box service.
int ShowMessageBox(const QString& text, const QString& caption, unsigned flags);

// Opens an address through the application's URL opener.
void OpenUrl(const QString& target);

// Put a stand-in in the application's place and return the previous service;
// nullptr puts the real one back.
MessageBoxService* SetMessageBoxService(MessageBoxService* service);
UrlOpener* SetUrlOpener(UrlOpener* opener);

}  // namespace klemvar
