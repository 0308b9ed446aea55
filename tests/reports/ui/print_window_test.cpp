#include "app/ui/commands.h"
#include "app/ui/main_window.h"
#include "app/ui/print_wiring.h"
#include "app/ui/startup.h"
#include "platform/registry.h"
#include "platform/scripted_prompts.h"
#include "reports/pdf_tools.h"
#include "platform/save_file.h"
#include "reports/ui/chart_choices.h"
#include "reports/ui/print_window.h"
#include "support/test_font.h"
#include "support/test_support.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFrame>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QTest>
#include <QToolBar>

using namespace kinloom;
using kinloom::test::addPerson;

namespace {

// A print dialog that prints into a PDF file when `confirm` is set, and counts how often it was asked.
struct ScriptedPrintDialog {
    QString pdf;
    bool confirm = true;
    int asked = 0;
    PrinterDialogs dialogs(std::function<bool(QPrinter&, QWidget*)> pageSetup = {}) {
        PrinterDialogs d;
        d.print = [this](QPrinter& printer, QWidget*) {
            ++asked;
            if (!confirm) return false;
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(pdf);
            return true;
        };
        d.pageSetup = std::move(pageSetup);
        return d;
    }
};

// The main window started, with its print window printing through a scripted dialog into `pdf`,
// a file of a temporary folder.
struct PrintSession {
    explicit PrintSession(const char* pdfName)
        : windows(createWindows(registry, prompts, "/opt/k/kinloom", {})), w(*windows->main),
          store(w.state().store) {
        startUp(*windows, false);
        pw = w.findChild<PrintWindow*>();
        print.pdf = dir.filePath(pdfName);
        pw->setPrinterDialogs(print.dialogs());
    }
    QTemporaryDir dir;
    MemoryRegistry registry;
    ScriptedPrompts prompts;
    std::unique_ptr<KinloomWindows> windows;
    MainWindow& w;
    ItemStore& store;
    PrintWindow* pw = nullptr;
    ScriptedPrintDialog print;
};

}  // namespace

class PrintWindowTest : public QObject {
    Q_OBJECT
private slots:
    void opensFromTheFileMenuAndKeepsItsChoices() {
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        startUp(*windows, false);
        auto* pw = w.findChild<PrintWindow*>();
        QVERIFY(pw);
        QVERIFY(w.commands().action(CommandId::PrintTree)->isEnabled());
        QVERIFY(w.commands().toolbarButton(CommandId::PrintTree)->isEnabled());
        QCOMPARE(w.commands().toolbarButton(CommandId::PrintTree)->toolTip(), QStringLiteral("Print tree or selected items"));

        // The toolbar button opens the window beside the main window, which stays usable.
        w.commands().toolbarButton(CommandId::PrintTree)->trigger();
        QVERIFY(QTest::qWaitForWindowActive(pw));
        QCOMPARE(pw->windowTitle(), QStringLiteral("Print Tree"));
        QVERIFY(!pw->isModal());
        QVERIFY(w.isEnabled());
        QStringList sizes;
        for (QRadioButton* b : pw->sizeButtons) sizes << b->text();
        QCOMPARE(sizes, QStringList({"1 page", "2 x 2 pages (4)", "3 x 3 pages (9)", "4 x 4 pages (16)", "5 x 5 pages (25)",
                                     "6 x 6 pages (36)", "7 x 7 pages (49)", "8 x 8 pages (64)"}));
        QVERIFY(pw->sizeButtons[0]->isChecked());
        QVERIFY(pw->landscapeButton->isChecked());
        QCOMPARE(pw->thicknessBox->currentText(), QStringLiteral("1"));
        QCOMPARE(pw->thicknessBox->count(), 5);
        QCOMPARE(pw->sampleLine->height(), 1);
        QCOMPARE(pw->fontNameEdit->text(), QStringLiteral("Times New Roman"));
        QCOMPARE(pw->fontSizeEdit->text(), QStringLiteral("16"));
        QCOMPARE(pw->selectedOnlyBox->text(), QStringLiteral("Print selected items only"));
        // An empty tree: nothing to print, nothing selected.
        QVERIFY(!pw->printButton->isEnabled());
        QVERIFY(!pw->selectedOnlyBox->isEnabled());
        QVERIFY(!pw->selectedOnlyBox->isChecked());
        QVERIFY(pw->closeButton->hasFocus());

        pw->thicknessBox->setCurrentIndex(2);
        QCOMPARE(pw->sampleLine->height(), 3);
        // "Tree font:" runs the main window's tree-font command.
        prompts.answerFont(QFont("DejaVu Sans", 20));
        QTest::mouseClick(pw->treeFontButton, Qt::LeftButton);
        QCOMPARE(w.state().screenFontName, QStringLiteral("DejaVu Sans"));
        QCOMPARE(pw->fontNameEdit->text(), QStringLiteral("DejaVu Sans"));
        QCOMPARE(pw->fontSizeEdit->text(), QStringLiteral("20"));
        // "&Setup": the page setup dialog's orientation comes back to the window.
        ScriptedPrintDialog print;
        pw->setPrinterDialogs(print.dialogs([](QPrinter& printer, QWidget*) {
            printer.setPageOrientation(QPageLayout::Portrait);
            return true;
        }));
        QTest::mouseClick(pw->setupButton, Qt::LeftButton);
        QVERIFY(pw->portraitButton->isChecked());
        QTest::mouseClick(pw->closeButton, Qt::LeftButton);
        QVERIFY(!pw->isVisible());

        // Opened again with items and a selection: the choices are kept, the check follows the selection.
        ItemStore& store = w.state().store;
        PersonItem* ann = addPerson(store, "Ann", "Lee", 0, 0);
        addPerson(store, "Bob", "Lee", 400, 300);
        store.addToSelection(ann);
        w.commands().action(CommandId::PrintTree)->trigger();
        QVERIFY(QTest::qWaitForWindowActive(pw));
        QVERIFY(pw->selectedOnlyBox->isEnabled());
        QVERIFY(pw->selectedOnlyBox->isChecked());
        QVERIFY(pw->printButton->isEnabled());
        QVERIFY(pw->printButton->hasFocus());
        QVERIFY(pw->portraitButton->isChecked());
        QCOMPARE(pw->thicknessBox->currentText(), QStringLiteral("3"));
        const PosterSettings chosen = pw->posterSettings();
        QCOMPARE(chosen.lineThickness, 3);
        QVERIFY(chosen.selectedOnly);
        QCOMPARE(chosen.fontName, QStringLiteral("DejaVu Sans"));

        // The preview shows a white page with navy box outlines.
        QTest::mouseClick(pw->previewButton, Qt::LeftButton);
        const QImage preview = pw->previewImage->pixmap().toImage();
        int navy = 0, white = 0;
        for (int y = 0; y < preview.height(); ++y)
            for (int x = 0; x < preview.width(); ++x) {
                navy += QColor(preview.pixel(x, y)) == QColor(0, 0, 128);
                white += QColor(preview.pixel(x, y)) == QColor(Qt::white);
            }
        QVERIFY(navy > 100);
        QVERIFY(white > 1000);
    }

    void printsThePosterOrNothingWhenCancelled() {
        PrintSession session("poster.pdf");
        auto& [dir, registry, prompts, windows, w, store, pw, print] = session;
        addPerson(store, "Nora", "North", 0, 0);
        addPerson(store, "Ned", "North", 3000, 0);
        addPerson(store, "Sam", "South", 0, 2000);
        addPerson(store, "Sue", "South", 3000, 2000);
        w.commands().action(CommandId::PrintTree)->trigger();
        QVERIFY(QTest::qWaitForWindowActive(pw));
        pw->sizeButtons[1]->click();

        print.confirm = false;
        QTest::mouseClick(pw->printButton, Qt::LeftButton);
        QCOMPARE(print.asked, 1);
        QVERIFY(pw->isVisible());
        QVERIFY(!QFile::exists(print.pdf));

        print.confirm = true;
        QTest::mouseClick(pw->printButton, Qt::LeftButton);
        QVERIFY(!pw->isVisible());  // printing closes the window
        QCOMPARE(pw->printer().pageLayout().orientation(), QPageLayout::Landscape);
        QCOMPARE(test::pdfPageCount(print.pdf), 4);
        const QString first = test::pdfPageText(print.pdf, 1), last = test::pdfPageText(print.pdf, 4);
        QVERIFY2(first.contains("Printed with Kinloom 2.0 beta 3.6") && first.contains("Nora"), qPrintable(first));
        QVERIFY2(!last.contains("Printed with") && last.contains("Sue") && !last.contains("Nora"), qPrintable(last));
        QVERIFY(prompts.records().empty());
    }

    // A readable chart: the window announces its pages, previews them one by one, and a PDF that
    // cannot be written whole leaves the old file and says why.
    void printsAReadableChartAndReportsAFullDisk() {
        PrintSession session("chart.pdf");
        auto& [dir, registry, prompts, windows, w, store, pw, print] = session;
        w.state().screenFontName = test::loadTestFont();
        for (int i = 0; i < 12; ++i) addPerson(store, "Person" + std::to_string(i), "Lee", i * 400, 0);
        w.commands().action(CommandId::PrintTree)->trigger();
        QVERIFY(QTest::qWaitForWindowActive(pw));
        QCOMPARE(pw->pageCountLabel->text(), QStringLiteral("1 page (1 column x 1 row)"));

        // Boxes 35 mm wide: 12 boxes 400 units apart are 35 x 4540 / 140 = 1135 mm, on A4 landscape
        // (297 mm) 1 + ceil(838 / 297) = 4 columns, one row.
        ChartChoices& c = *pw->chartChoices;
        c.readableButton->setChecked(true);
        QVERIFY(!pw->sizeButtons[0]->isChecked());
        c.readableKindBox->setCurrentIndex(1);
        QCOMPARE(c.readableValueBox->value(), 30.0);
        c.readableValueBox->setValue(35);
        QCOMPARE(pw->pageCountLabel->text(), QStringLiteral("4 pages (4 columns x 1 row)"));
        c.labelsBox->setChecked(true);
        c.overlapBox->setChecked(true);
        QCOMPARE(pw->posterSettings().overlapMm, 10.0);
        // Labels take 10 mm margins, 277 mm of content less 10 mm overlap a page: 1 + ceil(858 / 267) = 5.
        QCOMPARE(pw->pageCountLabel->text(), QStringLiteral("5 pages (5 columns x 1 row)"));
        QCOMPARE(pw->previewPageBox->maximum(), 5);
        pw->previewPageBox->setValue(2);  // page 2 as it prints: a white page with the drawing on it
        const QImage page = pw->previewImage->pixmap().toImage();
        int dark = 0;
        for (int y = 0; y < page.height(); ++y)
            for (int x = 0; x < page.width(); ++x) dark += qGray(page.pixel(x, y)) < 100;
        QVERIFY(dark > 20);

        const QByteArray old = "the chart printed last week";
        {
            QFile f(print.pdf);
            QVERIFY(f.open(QIODevice::WriteOnly));
            f.write(old);
        }
        pw->setSaveFileFaults([](SaveFile& file) { file.failWrite(3, ENOSPC); });
        QTest::mouseClick(pw->printButton, Qt::LeftButton);
        QVERIFY(pw->isVisible());
        QCOMPARE(prompts.records().size(), size_t(1));
        QCOMPARE(prompts.records()[0].caption, QStringLiteral("Kinloom 2.0"));
        QCOMPARE(prompts.records()[0].text,
                 QStringLiteral("The tree could not be printed.\nThere is no space left on the device."));
        {
            QFile f(print.pdf);
            QVERIFY(f.open(QIODevice::ReadOnly));
            QCOMPARE(f.readAll(), old);
        }

        pw->setSaveFileFaults({});
        QTest::mouseClick(pw->printButton, Qt::LeftButton);
        QVERIFY(!pw->isVisible());
        QCOMPARE(test::pdfPageCount(print.pdf), 5);
        const QString text = test::pdfPageText(print.pdf, 5);
        QVERIFY2(text.contains("row 1, column 5") && text.contains("Person11"), qPrintable(text));

        // Back to n x n pages: the readable size is left.
        pw->sizeButtons[2]->setChecked(true);
        QVERIFY(!c.readableButton->isChecked());
        QCOMPARE(pw->posterSettings().scale, ChartScale::FitPages);
        QCOMPARE(pw->pageCountLabel->text(), QStringLiteral("9 pages (3 columns x 3 rows)"));
    }

    void printScreenPrintsTheWindowWithoutItsToolbar() {
        QTemporaryDir dir;
        MemoryRegistry registry;
        ScriptedPrompts prompts;
        auto windows = createWindows(registry, prompts, "/opt/k/kinloom", {});
        MainWindow& w = *windows->main;
        startUp(*windows, false);
        QVERIFY(w.commands().action(CommandId::PrintScreen)->isEnabled());
        auto* screen = w.findChild<ScreenPrinter*>();
        QVERIFY(screen);
        ScriptedPrintDialog print;
        print.pdf = dir.filePath("screen.pdf");
        screen->setPrinterDialogs(print.dialogs());
        QVERIFY(w.toolbar()->isVisible());
        QList<bool> toolbarShown;
        connect(w.toolbar(), &QToolBar::visibilityChanged, this, [&](bool v) { toolbarShown << v; });

        print.confirm = false;
        w.commands().action(CommandId::PrintScreen)->trigger();
        QVERIFY(!QFile::exists(print.pdf));
        QVERIFY(toolbarShown.isEmpty());

        print.confirm = true;
        w.commands().action(CommandId::PrintScreen)->trigger();
        QCOMPARE(test::pdfPageCount(print.pdf), 1);
        QCOMPARE(toolbarShown, QList<bool>({false, true}));  // hidden while the picture is taken
        QVERIFY(w.toolbar()->isVisible());
        // The page holds one picture: the window below its menu bar.
        const QStringList images = test::runPdfTool("pdfimages", {"-list", print.pdf}).split('\n', Qt::SkipEmptyParts);
        QCOMPARE(images.size(), 3);  // two heading lines, one image
        const QStringList fields = images[2].simplified().split(' ');
        QCOMPARE(fields.value(3).toInt(), w.width());
        QCOMPARE(fields.value(4).toInt(), w.height() - w.menuBar()->height());
    }
};

QTEST_MAIN(PrintWindowTest)
#include "print_window_test.moc"
