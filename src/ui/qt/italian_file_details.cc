#include "ui/qt/italian_file_details.h"

#include <QFileSystemModel>
#include <QLocale>

namespace ondrel::ui {

namespace {

enum Column { kName, kSize, kType, kDate };

}  // namespace

QVariant ItalianFileDetails::data(const QModelIndex& index, int role) const {
  const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel());
  if (files == nullptr || role != Qt::DisplayRole) return QIdentityProxyModel::data(index, role);
  const QModelIndex source = mapToSource(index);
  const QLocale italian;  // the program's default locale
  switch (index.column()) {
    case kSize:
      if (!files->isDir(source)) return italian.formattedDataSize(files->size(source));
      break;
    case kType: {
      if (files->isDir(source)) return QStringLiteral("Cartella");
      const QString suffix = files->fileInfo(source).suffix();
      return suffix.isEmpty() ? QStringLiteral("File") : QStringLiteral("File ") + suffix;
    }
    case kDate:
      return italian.toString(files->lastModified(source), QLocale::ShortFormat);
    default:
      break;
  }
  return QIdentityProxyModel::data(index, role);
}

}  // namespace ondrel::ui
