// The buttons the editors share: the column "OK", "Abbrechen", "Hilfe" beside a dialog's fields, and the
// box "OK", "Abbrechen" below a sheet's tabs.
#pragma once

#include <QDialogButtonBox>
#include <QVBoxLayout>

#include <string_view>

class QDialog;

namespace kw::editors {

/// "OK" (ID 1, the default button: accepts), "Abbrechen" (2: rejects) and "&Hilfe" (`helpId`: shows
/// `helpTopic`, as F1 anywhere in the dialog does) one below the other, with the space below them, for the
/// right of the dialog's fields. The caller adds the layout.
QVBoxLayout *makeButtonColumn(QDialog &dialog, int helpId, std::string_view helpTopic);

/// "OK" (1: accepts) and "Abbrechen" (2: rejects) in a box for the bottom of a sheet. Neither is a
/// default button, so that Return stays with the sheet's controls. The caller adds the box.
QDialogButtonBox *makeOkCancelBox(QDialog &dialog);

} // namespace kw::editors
