#pragma once

// Application-modal message boxes with MessageBoxA-style flags and results.

#include <QString>

namespace klemvar {

namespace mb {
inline constexpr unsigned kOk = 0x00;
inline constexpr unsigned kYesNo = 0x04;
inline constexpr unsigned kIconError = 0x10;        // MB_ICONHAND
inline constexpr unsigned kIconQuestion = 0x20;     // MB_ICONQUESTION
inline constexpr unsigned kIconWarning = 0x30;      // MB_ICONEXCLAMATION
inline constexpr unsigned kIconInformation = 0x40;  // MB_ICONASTERISK
inline constexpr unsigned kButtonsMask = 0x0F;
inline constexpr unsigned kIconMask = 0xF0;

inline constexpr int kIdOk = 1;
inline constexpr int kIdYes = 6;
inline constexpr int kIdNo = 7;
}  // namespace mb

// Shows one box and returns the button chosen.
class MessageBoxService {
 public:
  virtual ~MessageBoxService() = default;
  virtual int Show(const QString& text, const QString& caption, unsigned flags) = 0;
};

// The real boxes: QMessageBox, application-modal; "\r\n", "\r" and "\n" break lines.
MessageBoxService& QtMessageBoxService();

}  // namespace klemvar
