#pragma once

#include <QDateTime>
#include <QString>

namespace logbook {

// What an entry records: a meal or correction dose of rapid-acting insulin, a dose of
// long-acting insulin, or a blood-sugar reading with no dose.
enum class EntryKind { Rapid, Long, Reading };

// One recorded dose: the inputs and the four figures as the main window showed them, and what
// the person actually took.
struct LogEntry {
    qint64 id = 0; // given by the store
    EntryKind kind = EntryKind::Rapid;
    QDateTime takenAt; // local time with its UTC offset at the moment of recording
    QString period;
    QString bloodSugarText; // as typed
    double bloodSugar = 0;
    QString carbText; // as typed
    double carbs = 0;
    QString correctionDose; // the figures' texts as shown, empty where the window showed none
    QString carbDose;
    QString weightingDose;
    QString totalDose;
    double taken = 0;
    QString note;
};

// The local time with the UTC offset it had then ("2026-12-06T12:40:00+01:00"), so an entry
// reads the same after a move to another zone or a clock change.
inline QString offsetTimeText(const QDateTime &at) {
    return at.toOffsetFromUtc(at.offsetFromUtc()).toString(Qt::ISODate);
}

} // namespace logbook
