#include "app/app_state.h"
#include "app/ui/options_dialog.h"
#include "layout/arrange_style.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>

using namespace kinloom;

class OptionsDialogTest : public QObject {
    Q_OBJECT
private slots:
    void controlsAndTheirTexts();
    void switchesReadAtCreationAndWrittenOnClose();
    void charsetListAndChange();
    void treeFontSampleAndChange();
    void importArrangementIsRemembered();
};

// "Arrange imported trees as": the family chart unless the stored value says "Generation rows";
// written on close, read back after a restart and by the import (through the same setting).
void OptionsDialogTest::importArrangementIsRemembered() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    OptionsDialog dlg(state);
    QCOMPARE(dlg.importArrangementBox->count(), 2);
    QCOMPARE(dlg.importArrangementBox->itemText(0), QString("Family chart"));
    QCOMPARE(dlg.importArrangementBox->itemText(1), QString("Generation rows"));
    QCOMPARE(dlg.importArrangementBox->currentIndex(), 0);
    QCOMPARE(readImportArrangement(registry), ArrangeStyle::FamilyChart);
    dlg.show();
    dlg.importArrangementBox->setCurrentIndex(1);
    QTest::mouseClick(dlg.closeButton, Qt::LeftButton);
    QCOMPARE(registry.readString(kSettingsKey, "Import_Arrangement", ""), QString("Generation rows"));
    QCOMPARE(readImportArrangement(registry), ArrangeStyle::GenerationRows);
    AppState next(registry, prompts);
    OptionsDialog again(next);
    QCOMPARE(again.importArrangementBox->currentIndex(), 1);
    registry.writeString(kSettingsKey, "Import_Arrangement", "rows");  // anything else: the chart
    QCOMPARE(readImportArrangement(registry), ArrangeStyle::FamilyChart);
}

void OptionsDialogTest::controlsAndTheirTexts() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    OptionsDialog dlg(state);
    QCOMPARE(dlg.windowTitle(), QString("Environment Options"));
    QCOMPARE(dlg.pages->count(), 2);
    QCOMPARE(dlg.pages->tabText(0), QString("Fonts"));
    QCOMPARE(dlg.pages->tabText(1), QString("Program"));
    QCOMPARE(dlg.treeFontButton->text(), QString("Change"));
    QCOMPARE(dlg.closeButton->text(), QString("Close"));
    QVERIFY(dlg.closeButton->isDefault());
    QCOMPARE(dlg.dateStandardizationBox->text(), QString("Autoformat dates according to GEDCOM standard"));
    QCOMPARE(dlg.nameHintsBox->text(), QString("Show name tips"));
    QCOMPARE(dlg.qualityCheckOnOpenBox->text(), QString("Auto quality check on open"));
    QCOMPARE(dlg.qualityCheckOnSaveBox->text(), QString("Auto quality check on save"));
    QCOMPARE(dlg.charsetBox->maxVisibleItems(), 20);
    dlg.pages->setCurrentIndex(1);
    dlg.show();
    QCOMPARE(dlg.pages->currentIndex(), 0);  // "Fonts" comes first on every show
    dlg.close();
}

void OptionsDialogTest::switchesReadAtCreationAndWrittenOnClose() {
    MemoryRegistry registry;
    registry.writeString(kSettingsKey, "Date_Standardization", "yes");  // not "Yes": off
    registry.writeString(kSettingsKey, "quality_check_on_save", "Yes");
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    OptionsDialog dlg(state);
    QVERIFY(!dlg.dateStandardizationBox->isChecked());
    QVERIFY(dlg.nameHintsBox->isChecked());
    QVERIFY(!dlg.qualityCheckOnOpenBox->isChecked());
    QVERIFY(dlg.qualityCheckOnSaveBox->isChecked());
    QVERIFY(state.options.qualityCheckOnSave);  // known before any tree is opened

    // Closing unchanged still writes all four.
    dlg.show();
    QTest::mouseClick(dlg.closeButton, Qt::LeftButton);
    QVERIFY(!dlg.isVisible());
    QCOMPARE(registry.readString(kSettingsKey, "Date_Standardization", ""), QString("No"));
    QCOMPARE(registry.readString(kSettingsKey, "Show_Name_Hints", ""), QString("Yes"));
    QCOMPARE(registry.readString(kSettingsKey, "quality_check_on_open", ""), QString("No"));
    QCOMPARE(registry.readString(kSettingsKey, "quality_check_on_save", ""), QString("Yes"));

    dlg.show();
    dlg.qualityCheckOnOpenBox->setChecked(true);
    dlg.nameHintsBox->setChecked(false);
    QTest::keyClick(&dlg, Qt::Key_Escape);  // Escape closes too, and writes too
    QVERIFY(!dlg.isVisible());
    QVERIFY(state.options.qualityCheckOnOpen);
    QVERIFY(!state.options.showNameHints);
    QCOMPARE(registry.readString(kSettingsKey, "quality_check_on_open", ""), QString("Yes"));

    AppState next(registry, prompts);  // a restart reads them back
    OptionsDialog again(next);
    QVERIFY(again.qualityCheckOnOpenBox->isChecked());
    QVERIFY(!again.nameHintsBox->isChecked());
}

void OptionsDialogTest::charsetListAndChange() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    int changes = 0;
    state.hooks.charsetChanged = [&] { ++changes; };
    OptionsDialog dlg(state);
    QCOMPARE(dlg.charsetBox->count(), 19);
    QCOMPARE(dlg.charsetBox->itemText(0), QString("ANSI"));
    QCOMPARE(dlg.charsetBox->itemText(1), QString("Arabic characters "));
    QCOMPARE(dlg.charsetBox->itemText(8), QString("Korean characters (Jahob) "));
    QCOMPARE(dlg.charsetBox->itemText(14), QString("System Default"));
    QCOMPARE(dlg.charsetBox->itemText(18), QString("Vietnamese characters "));

    dlg.changeCharset(15);
    QCOMPARE(dlg.charsetBox->currentIndex(), 14);
    dlg.changeCharset(42);  // outside the list: no entry, character set 0
    QCOMPARE(dlg.charsetBox->currentIndex(), -1);
    QCOMPARE(state.screenCharset, 42);
    QCOMPARE(DisplayCharset::fontCharsetOf(state.screenCharset), 0);

    // Choosing in the list applies the entry by its position.
    dlg.show();
    dlg.charsetBox->setFocus();
    dlg.charsetBox->setCurrentIndex(0);
    QTest::keyClick(dlg.charsetBox, Qt::Key_Down);  // an activation, as the user makes it
    QTRY_COMPARE(state.screenCharset, 2);
    QCOMPARE(state.charset.decode("\xC7"), QString::fromUtf8("ا"));
    QCOMPARE(changes, 3);
}

void OptionsDialogTest::treeFontSampleAndChange() {
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    AppState state(registry, prompts);
    OptionsDialog dlg(state);
    connect(&dlg, &OptionsDialog::treeFontRequested, [&] { chooseTreeFont(state); });
    dlg.show();
    QCOMPARE(dlg.fontSampleLabel->text(), QString("Times New Roman (16)"));
    QCOMPARE(dlg.fontSampleLabel->toolTip(), QString("Times New Roman (16)"));
    QCOMPARE(dlg.fontSampleLabel->font().pixelSize(), 16);

    QFont chosen("DejaVu Sans");
    chosen.setPointSize(12);
    prompts.answerFont(chosen);
    QTest::mouseClick(dlg.treeFontButton, Qt::LeftButton);
    QCOMPARE(prompts.records().back().kind, QString("font"));
    QCOMPARE(state.screenFontName, QString("DejaVu Sans"));
    QCOMPARE(state.screenFontSize, 12);
    QCOMPARE(dlg.fontSampleLabel->text(), QString("DejaVu Sans (12)"));
    dlg.close();
}

QTEST_MAIN(OptionsDialogTest)
#include "options_dialog_test.moc"
