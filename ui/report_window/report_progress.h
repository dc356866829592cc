#pragma once

#include "report/document/report_pages.h"

#include <QProgressDialog>
#include <QString>

// A window-modal progress dialog with Cancel for drawing a long report: the window stays
// responsive, and its controls cannot change the report while it is drawn. It shows only when
// the work takes long enough to notice.
class ReportProgressDialog {
public:
    ReportProgressDialog(QWidget *parent, const QString &what);

    report::ReportProgress callback();
    bool cancelled() const { return dialog_.wasCanceled(); }

private:
    QProgressDialog dialog_;
};
