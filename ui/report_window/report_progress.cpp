#include "ui/report_window/report_progress.h"

#include <QCoreApplication>

ReportProgressDialog::ReportProgressDialog(QWidget *parent, const QString &what)
    : dialog_(what, QStringLiteral("Cancel"), 0, 1, parent) {
    dialog_.setObjectName(QStringLiteral("reportProgress"));
    dialog_.setWindowTitle(QStringLiteral("Norvalis Report"));
    dialog_.setWindowModality(Qt::WindowModal);
    dialog_.setMinimumDuration(400);
    dialog_.setAutoReset(false);
    dialog_.setAutoClose(false);
    dialog_.setValue(0);
}

report::ReportProgress ReportProgressDialog::callback() {
    return [this](int done, int total) {
        if (dialog_.maximum() != total)
            dialog_.setMaximum(total);
        dialog_.setValue(done);
        // A window-modal dialog does not run the events itself; Cancel must be heard.
        QCoreApplication::processEvents();
        return !dialog_.wasCanceled();
    };
}
