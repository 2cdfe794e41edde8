// Conversions between the core's 8-bit texts and Qt strings, through the local 8-bit codec.
#pragma once

#include <QString>
#include <string>
#include <string_view>

namespace ondrel::ui {

inline QString ToQString(std::string_view bytes) {
  return QString::fromLocal8Bit(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

inline std::string ToBytes(const QString& text) {
  return text.toLocal8Bit().toStdString();
}

}  // namespace ondrel::ui
