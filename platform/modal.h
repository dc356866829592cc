#pragma once

class QDialog;
class QWidget;

namespace platform {

// Shows a dialog modally with an owner window; returns when the dialog hides or closes.
void showModal(QDialog *dialog, QWidget *owner);

} // namespace platform
