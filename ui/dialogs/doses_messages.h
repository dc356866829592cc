#pragma once

#include "platform/message_box.h"
#include "ui/dialogs/doses_entry_checks.h"

#include <QMessageBox>
#include <QString>
#include <vector>

// The texts the "Configure Dosages" dialog shows, and its questions.
namespace doses_messages {

QString pageName(doses_checks::Page page);
// Where a box is, as a screen reader and the messages name it: "Blood Sugar, row 3, Dose",
// "Carbohydrate, grams per unit".
QString boxPlace(doses_checks::Page page, int box);

QString refused(const doses_checks::Refusal &refusal, const QString &typed);
// "Rows 4–5 of Blood Sugar come after an empty Lower Limit and will be removed.", a line a page.
QString droppedRows(const std::vector<doses_checks::DroppedRows> &dropped);
// "Row 3 of Blood Sugar has a Lower Limit that is not above the ones before it, ...", a line
// a page, and the question.
QString fallingLevels(const std::vector<doses_checks::FallingLevels> &falling);
QString fileGone(const QString &path);
QString unsavedEdits(const QString &shownPeriod, const QString &chosenPeriod);

QString saveFailed(const QString &period, const QString &path, const QString &reason);
QString loadFailed(const QString &period, const QString &path, const QString &reason);
QString noPeriods(const QString &path);

// The dialog's questions are the platform's (see platform::ask).
using platform::Answer;
using platform::ask;

} // namespace doses_messages
