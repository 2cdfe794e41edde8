// The details a file dialog lists (type, size, date) in Italian whatever the user's locale:
// Qt writes them in the system's locale and leaves "Folder" and "txt File" untranslated.
#pragma once

#include <QIdentityProxyModel>

namespace ondrel::ui {

// A proxy over a file dialog's file-system model.
class ItalianFileDetails : public QIdentityProxyModel {
 public:
  using QIdentityProxyModel::QIdentityProxyModel;
  QVariant data(const QModelIndex& index, int role) const override;
};

}  // namespace ondrel::ui
