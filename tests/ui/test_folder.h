// A scratch folder for one GUI test, removed afterwards, with helpers for its files.
#pragma once

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace ondrel::ui::testing {

class TestFolder {
 public:
  // The full path of `relative` inside the folder.
  QString Path(const QString& relative = QString()) const {
    return relative.isEmpty() ? dir_.path() : dir_.filePath(relative);
  }
  // Writes `bytes` to `relative`, creating folders on the way; returns the full path.
  QString Write(const QString& relative, const QByteArray& bytes) const {
    const QString full = Path(relative);
    QDir().mkpath(QFileInfo(full).path());
    QFile file(full);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate)) file.write(bytes);
    return full;
  }
  static QByteArray Read(const QString& full) {
    QFile file(full);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
  }

 private:
  QTemporaryDir dir_;
};

}  // namespace ondrel::ui::testing
