#include "dialog_probe.h"
#include "platform/modal.h"
#include "platform/settings_location.h"

#include <QDir>
#include <QSignalSpy>

namespace {
enum class Ending { OkButton, CancelButton, EscapeKey, CloseBox };
}
Q_DECLARE_METATYPE(Ending)

// Filling the boxes from the settings file, storing them back, and the three buttons.
class DosesEditingTest : public QObject {
    Q_OBJECT

private slots:
    void init();
    void cleanup();
    void boxesShowTheStoredEntries_data();
    void boxesShowTheStoredEntries();
    void okStoresTheBoxes_data();
    void okStoresTheBoxes();
    void shrunkTableReloadsAsSaved();
    void dialogEnds_data();
    void dialogEnds();
    void applyOnlyShowsItsMessage();
    void failedSaveKeepsTheDialogAndTheEdits_data();
    void failedSaveKeepsTheDialogAndTheEdits();
    void withoutPeriodsNothingIsStored();
    void unreadableFileIsReportedOnPeriodChoice();

private:
    DosesConfigDialog *dialog() const { return dialog_->get(); }
    void open(const QByteArray &ini) {
        probe::loadPeriods(*env_, ini);
        dialog_ = std::make_unique<probe::Dialog>(new DosesConfigDialog(nullptr));
    }
    std::unique_ptr<testsupport::TestEnvironment> env_;
    std::unique_ptr<probe::Dialog> dialog_;
};

namespace {

QByteArray breakfastWith(const QByteArray &section) {
    return "[Period]\nP_1=Breakfast\nP_2=Lunch\n\n[Breakfast]\n" + section +
           "\n[Lunch]\nCD_1=12\nBS_1=150,1\n";
}

// The boxes named in the list show those texts; every other box is empty.
QStringList differingBoxes(const QWidget *dialog, const QString &expectedList) {
    const auto expected = probe::boxTexts(expectedList);
    QStringList differing;
    for (const char *group : {"INPUT_BS", "INPUT_CW", "INPUT_CD"}) {
        for (int i = 1; i <= (QByteArray(group) == "INPUT_CD" ? 12 : 24); ++i) {
            const QString name = probe::indexed(group, i);
            QString text;
            for (const auto &[boxName, boxText] : expected)
                text = boxName == name ? boxText : text;
            if (probe::box(dialog, name)->text() != text)
                differing << name + '=' + probe::box(dialog, name)->text();
        }
    }
    return differing;
}

// A table's entries 1..count joined by '|'.
QString entries(const norvalis::TextTable &table, int count) {
    QStringList list;
    for (int i = 1; i <= count; ++i)
        list << QString::fromStdString(table[i]);
    return list.join('|');
}

norvalis::DoseSettings storedTables(const testsupport::TestEnvironment &env, const char *period) {
    norvalis::DoseSettings settings;
    norvalis::LoadSettings(settings, "dosages", period, env.settingsFilePath().toStdString());
    return settings;
}

} // namespace

void DosesEditingTest::init() {
    env_ = std::make_unique<testsupport::TestEnvironment>();
}

void DosesEditingTest::cleanup() {
    dialog_.reset();
    env_.reset();
}

void DosesEditingTest::boxesShowTheStoredEntries_data() {
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QString>("boxes");
    // clang-format off
    QTest::newRow("two rows, the rest empty")   << QByteArray("BS_1=10,1\nBS_2=15,2\n") << "INPUT_BS_1=10;INPUT_BS_13=1;INPUT_BS_2=15;INPUT_BS_14=2";
    QTest::newRow("05,1.50 shows 5 and 1.5")    << QByteArray("BS_1=05,1.50\n") << "INPUT_BS_1=5;INPUT_BS_13=1.5";
    QTest::newRow("abc,2 and 7,2,3")            << QByteArray("CW_1=abc,2\nCW_2=7,2,3\n") << "INPUT_CW_1=0;INPUT_CW_13=2;INPUT_CW_2=7;INPUT_CW_14=2";
    QTest::newRow("nothing after the comma")    << QByteArray("BS_1=150,\n") << "INPUT_BS_1=150;INPUT_BS_13=0";
    QTest::newRow("no comma: empty dose box")   << QByteArray("BS_1=150\nBS_2=180,2\n") << "INPUT_BS_1=150;INPUT_BS_2=180;INPUT_BS_14=2";
    QTest::newRow("row 12 in boxes 12 and 24")  << QByteArray("CW_1=1,1\nCW_2=2,1\nCW_3=3,1\nCW_4=4,1\nCW_5=5,1\nCW_6=6,1\nCW_7=7,1\nCW_8=8,1\nCW_9=9,1\nCW_10=10,1\nCW_11=11,1\nCW_12=12,0.25\n")
        << "INPUT_CW_1=1;INPUT_CW_2=2;INPUT_CW_3=3;INPUT_CW_4=4;INPUT_CW_5=5;INPUT_CW_6=6;INPUT_CW_7=7;INPUT_CW_8=8;INPUT_CW_9=9;INPUT_CW_10=10;INPUT_CW_11=11;INPUT_CW_12=12;"
           "INPUT_CW_13=1;INPUT_CW_14=1;INPUT_CW_15=1;INPUT_CW_16=1;INPUT_CW_17=1;INPUT_CW_18=1;INPUT_CW_19=1;INPUT_CW_20=1;INPUT_CW_21=1;INPUT_CW_22=1;INPUT_CW_23=1;INPUT_CW_24=0.25";
    QTest::newRow("hidden carbohydrate values") << QByteArray("CD_1=010.0\nCD_2=12.50\nCD_3=abc\n") << "INPUT_CD_1=10;INPUT_CD_2=12.5;INPUT_CD_3=0";
    QTest::newRow("beyond the double range")    << QByteArray("BS_1=1e999,2\n") << "INPUT_BS_1=1e999;INPUT_BS_13=2";
    // clang-format on
}

void DosesEditingTest::boxesShowTheStoredEntries() {
    QFETCH(QByteArray, section);
    QFETCH(QString, boxes);
    open(breakfastWith(section));
    QCOMPARE(differingBoxes(dialog(), boxes), QStringList());
}

void DosesEditingTest::okStoresTheBoxes_data() {
    QTest::addColumn<QByteArray>("section");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("correction");
    QTest::addColumn<QString>("weighting");
    QTest::addColumn<QString>("carbohydrate");
    QTest::addColumn<QString>("caption"); // empty: Lab_cw1 is not touched
    const QByteArray none;
    // clang-format off
    QTest::newRow("numbers are normalised")        << none << "INPUT_BS_1=05abc;INPUT_BS_13=1.50" << "5,1.5" << "" << "" << "";
    QTest::newRow("12.50 with an empty dose")      << none << "INPUT_BS_1=12.50" << "12.5,0" << "" << "" << "";
    QTest::newRow("a blank level stores 0")        << none << "INPUT_BS_1= ;INPUT_BS_13=3" << "0,3" << "" << "" << "";
    QTest::newRow("first empty level ends it")     << none << "INPUT_BS_1=100;INPUT_BS_2=150;INPUT_BS_16=4;INPUT_BS_5=300;INPUT_BS_17=5" << "100,0|150,0" << "" << "" << "";
    QTest::newRow("dose beside no level dropped")  << none << "INPUT_BS_13=5" << "" << "" << "" << "";
    QTest::newRow("a comma typed into a level")    << none << "INPUT_BS_1=1,5;INPUT_BS_13=2,5" << "1,2" << "" << "" << "";
    QTest::newRow("weighting row 1 sets caption")  << none << "INPUT_CW_1=050g;INPUT_CW_13=1" << "" << "50,1" << "" << "Weighting if over 50 grams";
    QTest::newRow("weighting row 2 alone")         << none << "INPUT_CW_2=50;INPUT_CW_14=1" << "" << "" << "" << "";
    QTest::newRow("hidden carbohydrate stored")    << QByteArray("CD_1=10\nCD_2=20\nCD_3=030\n") << "INPUT_CD_1=15" << "" << "" << "15|20|30" << "";
    QTest::newRow("empty carbohydrate drops all")  << QByteArray("CD_1=10\nCD_2=20\n") << "INPUT_CD_1=" << "" << "" << "" << "";
    // clang-format on
}

// State: Breakfast loaded from the section, then boxes typed. Action: OK. Expected: the file
// holds exactly the rebuilt tables, the shared tables match them, Lab_cw1's caption comes only
// from weighting row 1, Lunch is untouched and the dialog is hidden, not destroyed.
void DosesEditingTest::okStoresTheBoxes() {
    QFETCH(QByteArray, section);
    QFETCH(QString, typed);
    QFETCH(QString, correction);
    QFETCH(QString, weighting);
    QFETCH(QString, carbohydrate);
    QFETCH(QString, caption);
    open(breakfastWith(section));
    dialog()->show();
    probe::type(dialog(), typed);
    QSignalSpy captions(dialog(), &DosesConfigDialog::weightingCaptionChanged);
    QTest::mouseClick(probe::button(dialog(), "cmdOK"), Qt::LeftButton);

    QVERIFY(!dialog()->isVisible());
    QVERIFY(!dialog_->destroyed());
    QVERIFY(env_->watchdog().seen().isEmpty());
    for (const norvalis::DoseSettings &tables :
         {storedTables(*env_, "Breakfast"), norvalis::SharedDoseSettings()}) {
        for (int i = tables.Counts.CorrectionCount + 1; i <= 12; ++i)
            QVERIFY(tables.CorrectionTable[i].empty());
        QCOMPARE(entries(tables.CorrectionTable, tables.Counts.CorrectionCount), correction);
        QCOMPARE(entries(tables.WeightingTable, tables.Counts.WeightingCount), weighting);
        QCOMPARE(entries(tables.CarbDoseTable, tables.Counts.CarbDoseCount), carbohydrate);
    }
    QCOMPARE(captions.count(), caption.isEmpty() ? 0 : 1);
    if (!caption.isEmpty())
        QCOMPARE(captions.first().first().toString(), caption);
    QVERIFY(env_->readSettingsFile().endsWith("[Lunch]\nCD_1=12\nBS_1=150,1\n"));
}

// State: five correction rows stored; the user empties the level box of row 3. Action: OK,
// then a new dialog. Expected: two rows come back and the stale keys are gone from the file.
void DosesEditingTest::shrunkTableReloadsAsSaved() {
    open(breakfastWith("BS_1=1,1\nBS_2=2,2\nBS_3=3,3\nBS_4=4,4\nBS_5=5,5\n"));
    probe::type(dialog(), "INPUT_BS_3=");
    QTest::mouseClick(probe::button(dialog(), "cmdOK"), Qt::LeftButton);
    QVERIFY(!env_->readSettingsFile().contains("BS_4"));
    dialog_ = std::make_unique<probe::Dialog>(new DosesConfigDialog(nullptr));
    QCOMPARE(differingBoxes(dialog(), "INPUT_BS_1=1;INPUT_BS_13=1;INPUT_BS_2=2;INPUT_BS_14=2"),
             QStringList());
}

void DosesEditingTest::dialogEnds_data() {
    QTest::addColumn<Ending>("ending");
    QTest::addColumn<bool>("kept");
    QTest::newRow("OK stores and keeps it") << Ending::OkButton << true;
    QTest::newRow("Cancel drops the edits") << Ending::CancelButton << false;
    QTest::newRow("Escape drops the edits") << Ending::EscapeKey << false;
    QTest::newRow("the close box drops the edits") << Ending::CloseBox << false;
}

// State: the dialog shown modally over an owner, switched to Lunch and edited. Action: OK,
// Cancel, Escape or the close box. Expected: the modal call returns; only OK stores, under the
// dialog's period, and keeps the dialog with the raw texts; the others destroy it, and a new
// dialog shows the stored tables while the shared tables hold Lunch's.
void DosesEditingTest::dialogEnds() {
    QFETCH(Ending, ending);
    QFETCH(bool, kept);
    open(probe::kThreePeriods);
    const QByteArray before = env_->readSettingsFile();
    QWidget owner;
    owner.show();
    env_->watchdog().allowModal(QStringLiteral("frmDosesConfigDialog"));
    DosesConfigDialog *d = dialog();
    testsupport::whenIdle([d, ending] {
        probe::mealtime(d)->setCurrentIndex(1);
        probe::type(d, "INPUT_BS_2=190abc;INPUT_BS_14=2.50");
        switch (ending) {
        case Ending::OkButton:
            return QTest::mouseClick(probe::button(d, "cmdOK"), Qt::LeftButton);
        case Ending::CancelButton:
            return QTest::mouseClick(probe::button(d, "cmdCancel"), Qt::LeftButton);
        case Ending::EscapeKey:
            return QTest::keyClick(probe::box(d, "INPUT_BS_2"), Qt::Key_Escape);
        case Ending::CloseBox:
            d->windowHandle()->close();
        }
    });
    platform::showModal(d, &owner);

    QCOMPARE(!dialog_->destroyed(), kept);
    QVERIFY(env_->watchdog().seen().isEmpty());
    const norvalis::DoseSettings lunch = storedTables(*env_, "Lunch");
    QCOMPARE(entries(lunch.CorrectionTable, lunch.Counts.CorrectionCount),
             kept ? QStringLiteral("150,1|190,2.5") : QStringLiteral("150,1"));
    QCOMPARE(entries(norvalis::SharedDoseSettings().CorrectionTable, 2),
             kept ? QStringLiteral("150,1|190,2.5") : QStringLiteral("150,1|"));
    if (kept) {
        QCOMPARE(probe::box(dialog(), "INPUT_BS_2")->text(), QStringLiteral("190abc"));
        QVERIFY(env_->readSettingsFile().contains(before.mid(0, before.indexOf("[Lunch]"))));
        return;
    }
    QCOMPARE(env_->readSettingsFile(), before);
    dialog_ = std::make_unique<probe::Dialog>(new DosesConfigDialog(nullptr));
    probe::mealtime(dialog())->setCurrentIndex(1);
    QCOMPARE(differingBoxes(dialog(), "INPUT_BS_1=150;INPUT_BS_13=1;INPUT_CD_1=12"), QStringList());
}

// Apply shows its message each time and changes nothing; Enter presses no button.
void DosesEditingTest::applyOnlyShowsItsMessage() {
    open(probe::kThreePeriods);
    const QByteArray before = env_->readSettingsFile();
    QVERIFY(probe::showActive(dialog()));
    probe::type(dialog(), "INPUT_BS_1=77");
    QSignalSpy captions(dialog(), &DosesConfigDialog::weightingCaptionChanged);
    for (const char *name : {"INPUT_BS_1", "cmdOK", "cmdCancel", "cmdApply"}) {
        probe::child(dialog(), name)->setFocus();
        QTest::keyClick(probe::child(dialog(), name), Qt::Key_Return);
        QTest::keyClick(probe::child(dialog(), name), Qt::Key_Enter, Qt::KeypadModifier);
    }
    for (int click = 0; click < 2; ++click)
        QTest::mouseClick(probe::button(dialog(), "cmdApply"), Qt::LeftButton);

    QCOMPARE(env_->watchdog().seen().size(), 2);
    for (const testsupport::SeenMessageBox &box : env_->watchdog().seen()) {
        QCOMPARE(box.text,
                 QStringLiteral("Apply Code goes here to set options w/o closing dialog!"));
        QCOMPARE(box.title, QStringLiteral("Norvalis"));
        QVERIFY(!box.informationIcon);
    }
    QVERIFY(dialog()->isVisible());
    QVERIFY(!dialog_->destroyed());
    QCOMPARE(probe::box(dialog(), "INPUT_BS_1")->text(), QStringLiteral("77"));
    QCOMPARE(norvalis::SharedDoseSettings().CorrectionTable[1], std::string("140,1"));
    QCOMPARE(env_->readSettingsFile(), before);
    QCOMPARE(captions.count(), 0);
}

void DosesEditingTest::failedSaveKeepsTheDialogAndTheEdits_data() {
    QTest::addColumn<bool>("folderIsAFile");
    QTest::newRow("settings folder is a file") << true;
    QTest::newRow("settings file is a folder") << false;
}

// State: the settings file cannot be written (made so without permissions, which root
// ignores). Action: OK. Expected: a message with the path and the reason; the dialog stays
// with the edits; the shared tables and Lab_cw1 unchanged; OK succeeds once the file is back.
void DosesEditingTest::failedSaveKeepsTheDialogAndTheEdits() {
    QFETCH(bool, folderIsAFile);
    open(probe::kThreePeriods);
    const QByteArray before = env_->readSettingsFile();
    dialog()->show();
    probe::type(dialog(), "INPUT_BS_1=145;INPUT_CW_1=70");
    const QString elsewhere = env_->directory() + QStringLiteral("/elsewhere");
    if (folderIsAFile) {
        QFile file(elsewhere);
        QVERIFY(file.open(QIODevice::WriteOnly));
    } else {
        QVERIFY(QDir().mkpath(elsewhere + QStringLiteral("/Norvalis.ini")));
    }
    platform::setSettingsDirectoryOverride(elsewhere);
    QSignalSpy captions(dialog(), &DosesConfigDialog::weightingCaptionChanged);
    QTest::mouseClick(probe::button(dialog(), "cmdOK"), Qt::LeftButton);

    QCOMPARE(env_->watchdog().seen().size(), 1);
    const QString message = env_->watchdog().seen().first().text;
    QVERIFY2(message.contains(platform::settingsFilePath() + "\nReason: "), qPrintable(message));
    QVERIFY(dialog()->isVisible());
    QCOMPARE(differingBoxes(dialog(), "INPUT_BS_1=145;INPUT_BS_13=1;INPUT_BS_2=180;"
                                      "INPUT_BS_14=2;INPUT_BS_3=220;INPUT_BS_15=3;INPUT_CW_1=70;"
                                      "INPUT_CW_13=1;INPUT_CW_2=100;INPUT_CW_14=2;INPUT_CD_1=10;"
                                      "INPUT_CD_2=20"),
             QStringList());
    QCOMPARE(norvalis::SharedDoseSettings().CorrectionTable[1], std::string("140,1"));
    QCOMPARE(captions.count(), 0);

    platform::setSettingsDirectoryOverride(env_->directory());
    QCOMPARE(env_->readSettingsFile(), before);
    QTest::mouseClick(probe::button(dialog(), "cmdOK"), Qt::LeftButton);
    QVERIFY(!dialog()->isVisible());
    QCOMPARE(storedTables(*env_, "Breakfast").CorrectionTable[1], std::string("145,1"));
    QCOMPARE(captions.count(), 1);
}

// State: no periods in the settings file, yet tables left in the shared settings. Expected:
// empty boxes; OK says where the periods must be listed, stores nothing and stays open.
void DosesEditingTest::withoutPeriodsNothingIsStored() {
    const QByteArray ini = "[Breakfast]\nBS_1=140,1\n";
    probe::loadPeriods(*env_, ini);
    norvalis::SharedDoseSettings().CorrectionTable[1] = "99,9";
    dialog_ = std::make_unique<probe::Dialog>(new DosesConfigDialog(nullptr));
    QCOMPARE(probe::mealtime(dialog())->count(), 0);
    QCOMPARE(differingBoxes(dialog(), ""), QStringList());

    dialog()->show();
    probe::type(dialog(), "INPUT_BS_1=100");
    QTest::mouseClick(probe::button(dialog(), "cmdOK"), Qt::LeftButton);
    QCOMPARE(env_->watchdog().seen().size(), 1);
    const QString message = env_->watchdog().seen().first().text;
    for (const QString &part :
         {QStringLiteral("\"Period\""), QStringLiteral("P_1, P_2"), env_->settingsFilePath()})
        QVERIFY2(message.contains(part), qPrintable(message));
    QVERIFY(dialog()->isVisible());
    QCOMPARE(env_->readSettingsFile(), ini);
    QCOMPARE(norvalis::SharedDoseSettings().CorrectionTable[1], std::string("99,9"));
}

// State: the dialog open, then the settings file turns into something that cannot be read.
// Action: the user picks another period. Expected: a message naming the file; empty boxes.
void DosesEditingTest::unreadableFileIsReportedOnPeriodChoice() {
    open(probe::kThreePeriods);
    dialog()->show();
    QVERIFY(QFile::remove(env_->settingsFilePath()) && QDir().mkpath(env_->settingsFilePath()));
    probe::mealtime(dialog())->setCurrentIndex(1);
    QCOMPARE(env_->watchdog().seen().size(), 1);
    QVERIFY(env_->watchdog().seen().first().text.contains(env_->settingsFilePath()));
    QCOMPARE(differingBoxes(dialog(), ""), QStringList());
}

QTEST_MAIN(DosesEditingTest)
#include "doses_editing_test.moc"
