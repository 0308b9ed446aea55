#include "editor/ui/person_dialog.h"

#include "canvas/edit_host.h"
#include "canvas/edit_properties.h"
#include "document/item_store.h"
#include "editor/ui/picture_viewer.h"
#include "platform/imagecodec.h"
#include "platform/save_file.h"
#include "platform/scripted_prompts.h"
#include "support/null_edit_host.h"
#include "support/test_support.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include <sys/stat.h>

using namespace kinloom;

class PersonDialogTest : public QObject {
    Q_OBJECT

    template <typename T>
    static T* child(QObject& parent, const char* name) {
        T* w = parent.findChild<T*>(QLatin1String(name));
        if (!w) qFatal("no child %s", name);
        return w;
    }

    // Opens the dialog through the edit-properties command; `act` runs while it is shown.
    static bool edit(ItemStore& store, PersonDialog& dialog, const std::function<void()>& act) {
        test::NullEditHost host;
        // A failed check inside `act` returns early: close the dialog so that the test ends.
        QTimer::singleShot(0, &dialog, [&] {
            act();
            if (dialog.isVisible()) dialog.reject();
        });
        return editProperties(store, host, [&](PersonItem& copy, PersonItem& edited) {
            return dialog.execute(store, copy, edited);
        });
    }

private slots:
    void noSpousesAndNewItemKeepsItsUnknownSex() {
        ItemStore store;
        ScriptedPrompts prompts;
        PersonDialog dialog(prompts);
        PersonItem* p = test::addPerson(store, "Ola", "Nordmann");
        store.currentItem = p;
        QString caption;
        bool noSpousesShown = false, gridShown = true, unknownChecked = false;
        const bool ok = edit(store, dialog, [&] {
            caption = dialog.windowTitle();
            noSpousesShown = !child<QLabel>(dialog, "noSpousesLabel")->isHidden();
            gridShown = !child<QWidget>(dialog, "spousesPanel")->isHidden();
            unknownChecked = child<QRadioButton>(dialog, "unknownButton")->isChecked();
            QVERIFY(!child<QWidget>(dialog, "maleIcon")->isVisibleTo(&dialog));
            QVERIFY(!child<QWidget>(dialog, "femaleIcon")->isVisibleTo(&dialog));
            QCOMPARE(child<QLabel>(dialog, "noSpousesLabel")->text(), QString("No spouses linked to this item"));
            QCOMPARE(dialog.focusWidget(), child<QWidget>(dialog, "firstNameEdit"));
            QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        });
        QVERIFY(ok);
        QCOMPARE(caption, QString("Ola Nordmann"));
        QVERIFY(noSpousesShown);
        QVERIFY(!gridShown);
        QVERIFY(unknownChecked);
        QCOMPARE(p->Sex.str(), std::string(""));
        QVERIFY(store.modified);
    }

    // A sex that is neither M nor F opens as Unknown and OK keeps it, whatever else changed, until
    // the user picks Male or Female.
    void unknownSexStaysUnknown() {
        const struct {
            const char* stored;
            const char* opensWith;
            const char* picked;  // nullptr: left as it opened
            const char* saved;
        } cases[] = {
            {"", "unknownButton", nullptr, ""},
            {"?", "unknownButton", nullptr, "?"},
            {"U", "unknownButton", nullptr, "U"},  // as GEDCOM's SEX U is stored
            {"M", "maleButton", nullptr, "M"},
            {"F", "femaleButton", nullptr, "F"},
            {"?", "unknownButton", "maleButton", "M"},
            {"", "unknownButton", "femaleButton", "F"},
            {"M", "maleButton", "unknownButton", "M"},  // Unknown never forgets a known sex
        };
        for (const auto& c : cases) {
            ItemStore store;
            ScriptedPrompts prompts;
            PersonDialog dialog(prompts);
            PersonItem* p = test::addPerson(store, "Ola", "Nordmann");
            p->Sex = c.stored;
            store.currentItem = p;
            QString checked;
            QVERIFY(edit(store, dialog, [&] {
                for (const char* name : {"maleButton", "femaleButton", "unknownButton"})
                    if (child<QRadioButton>(dialog, name)->isChecked()) checked = name;
                if (c.picked) child<QRadioButton>(dialog, c.picked)->click();
                // The icon follows the choice; Unknown shows neither.
                QCOMPARE(child<QWidget>(dialog, "maleIcon")->isVisibleTo(&dialog),
                         child<QRadioButton>(dialog, "maleButton")->isChecked());
                QCOMPARE(child<QWidget>(dialog, "femaleIcon")->isVisibleTo(&dialog),
                         child<QRadioButton>(dialog, "femaleButton")->isChecked());
                child<QLineEdit>(dialog, "occupationEdit")->setText("Farmer");
                QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
            }));
            QCOMPARE(checked, QString(c.opensWith));
            QCOMPARE(p->Sex.str(), std::string(c.saved));
            QCOMPARE(p->Occupation.str(), std::string("Farmer"));
        }
    }

    // Every field shows 30 characters and no two controls overlap, at the default font and with
    // the desktop's font twice as large.
    void fieldsShowThirtyCharactersAndNothingOverlaps() {
        const QFont original = QApplication::font();
        for (const qreal scale : {1.0, 2.0}) {
            QFont font = original;
            font.setPointSizeF(original.pointSizeF() * scale);
            QApplication::setFont(font);
            ItemStore store;
            ScriptedPrompts prompts;
            PersonDialog dialog(prompts);
            PersonItem* p = test::addPerson(store, "Ola", "Nordmann");
            PersonItem copy = *p;
            dialog.fill(store, copy, *p);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            const QString label = QStringLiteral("at %1x").arg(scale);
            for (const char* name : {"firstNameEdit", "lastNameEdit", "bornDateEdit", "bornPlaceEdit", "diedDateEdit",
                                     "diedPlaceEdit", "occupationEdit", "sourceEdit"}) {
                auto* field = child<QLineEdit>(dialog, name);
                const auto cursorRect = [field] { return field->inputMethodQuery(Qt::ImCursorRectangle).toRect(); };
                for (const QString sample : {QStringLiteral("Boston, Suffolk, Massachusetts"),
                                             QStringLiteral("BET 12 JAN 1850 AND 3 FEB 1860")}) {
                    QCOMPARE(sample.size(), 30);
                    field->setText(sample);
                    field->setCursorPosition(0);
                    const int start = cursorRect().center().x();
                    field->setCursorPosition(int(sample.size()));
                    const int end = cursorRect().center().x();
                    // Scrolled text would bring the end closer than the text's own width.
                    QVERIFY2(end - start >= QFontMetrics(field->font()).horizontalAdvance(sample),
                             qPrintable(label + " " + name + ": " + sample));
                    QVERIFY2(field->rect().contains(cursorRect()), qPrintable(label + " " + name));
                }
            }
            // No two controls of the page's upper part overlap, nor do the parts themselves.
            auto* top = child<QWidget>(dialog, "topPanel");
            QList<QWidget*> controls;
            for (QWidget* w : top->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (w->isVisibleTo(&dialog)) controls << w;
            for (QWidget* w : child<QWidget>(dialog, "genderBox")->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
                if (w->isVisibleTo(&dialog)) controls << w;
            const auto inDialog = [&dialog](QWidget* w) { return QRect(w->mapTo(&dialog, QPoint(0, 0)), w->size()); };
            for (int i = 0; i < controls.size(); ++i) {
                QVERIFY2(dialog.rect().contains(inDialog(controls[i])), qPrintable(label + " " + controls[i]->objectName()));
                for (int j = i + 1; j < controls.size(); ++j) {
                    if (controls[i]->isAncestorOf(controls[j]) || controls[j]->isAncestorOf(controls[i])) continue;
                    QVERIFY2(!inDialog(controls[i]).intersects(inDialog(controls[j])),
                             qPrintable(QStringLiteral("%1: %2 %3 overlaps %4 %5")
                                            .arg(label, controls[i]->objectName(), controls[i]->metaObject()->className(),
                                                 controls[j]->objectName(), controls[j]->metaObject()->className())));
                }
            }
            QVERIFY(!inDialog(top).intersects(inDialog(child<QWidget>(dialog, "notesPanel"))));
            // Every button shows its whole caption.
            for (QAbstractButton* b : child<QWidget>(dialog, "basicPage")->findChildren<QAbstractButton*>())
                QVERIFY2(b->width() >= b->sizeHint().width(), qPrintable(label + " " + b->objectName()));
            QVERIFY(child<QPlainTextEdit>(dialog, "notes")->height() >= 40);
            dialog.hide();
        }
        QApplication::setFont(original);
    }

    void captionAndLimits() {
        ItemStore store;
        ScriptedPrompts prompts;
        PersonDialog dialog(prompts);
        PersonItem* p = test::addPerson(store, "", "");
        PersonItem copy = *p;
        dialog.fill(store, copy, *p);
        QCOMPARE(dialog.windowTitle(), QString("Person"));
        child<QLineEdit>(dialog, "lastNameEdit")->setText("Hansen");
        QCOMPARE(dialog.windowTitle(), QString(" Hansen"));
        QCOMPARE(child<QLineEdit>(dialog, "pictureTextEdit")->maxLength(), 246);
        QCOMPARE(child<QLineEdit>(dialog, "bornDateEdit")->maxLength(), 35);
        QCOMPARE(child<QLineEdit>(dialog, "firstNameEdit")->maxLength(), 100);
        child<QRadioButton>(dialog, "femaleButton")->setChecked(true);
        QVERIFY(child<QWidget>(dialog, "femaleIcon")->isVisibleTo(&dialog));
        QVERIFY(!child<QWidget>(dialog, "maleIcon")->isVisibleTo(&dialog));
    }

    void aliasOpensReadOnlyAndOkKeepsValues() {
        ItemStore store;
        ScriptedPrompts prompts;
        PersonDialog dialog(prompts);
        PersonItem* o = test::addPerson(store, "Kari", "Nordmann");
        o->Kind = "ALIAS";
        o->Sex = "F";
        o->BornDate = "1 Jan 1900";
        PersonItem* a = test::addPerson(store, "Kari", "Nordmann");
        a->Kind = "REF";
        a->Father = o;
        a->Sex = "F";
        a->BornDate = "1 Jan 1900";
        store.currentItem = a;
        bool allDisabled = false;
        QWidget* focus = nullptr;
        QVERIFY(edit(store, dialog, [&] {
            allDisabled = true;
            for (const char* name : {"firstNameEdit", "lastNameEdit", "bornPlaceEdit", "diedPlaceEdit", "occupationEdit", "pictureTextEdit", "sourceEdit", "maleButton",
                                     "femaleButton", "unknownButton", "bornDateEdit", "diedDateEdit", "openNotesButton", "newNotesButton",
                                     "clearNotesButton", "openPictureButton", "clearPictureButton"})
                allDisabled = allDisabled && !child<QWidget>(dialog, name)->isEnabled();
            QVERIFY(child<QPlainTextEdit>(dialog, "notes")->isReadOnly());
            focus = dialog.focusWidget();
            QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        }));
        QVERIFY(allDisabled);
        QCOMPARE(focus, child<QWidget>(dialog, "okButton"));
        QCOMPARE(a->FirstName.str(), std::string("Kari"));
        QCOMPARE(a->Sex.str(), std::string("F"));
        QCOMPARE(a->BornDate.str(), std::string("1 Jan 1900"));
        QCOMPARE(a->Kind.str(), std::string("REF"));
    }

    void cancelChangesNothing() {
        ItemStore store;
        ScriptedPrompts prompts;
        PersonDialog dialog(prompts);
        PersonItem* p = test::addPerson(store, "Ola", "Nordmann");
        PersonItem* s = test::addPerson(store, "Siri", "B");
        store.addMarriage(p, s);
        store.currentItem = p;
        store.modified = false;
        QVERIFY(!edit(store, dialog, [&] {
            child<QLineEdit>(dialog, "firstNameEdit")->setText("Changed");
            QTest::mouseClick(child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
        }));
        QCOMPARE(p->FirstName.str(), std::string("Ola"));
        QVERIFY(!store.modified);
        // Esc works like Cancel.
        QVERIFY(!edit(store, dialog, [&] {
            child<QLineEdit>(dialog, "firstNameEdit")->setText("Changed");
            QTest::keyClick(&dialog, Qt::Key_Escape);
        }));
        QCOMPARE(p->FirstName.str(), std::string("Ola"));
        QVERIFY(!dialog.okFlag());
    }

    // Once closed, the dialog holds neither the freed copy nor the item: OK reaching it later
    // (a queued click, a stray key) changes nothing.
    void closedDialogKeepsNoHoldOnTheItem() {
        ItemStore store;
        ScriptedPrompts prompts;
        PersonDialog dialog(prompts);
        PersonItem* p = test::addPerson(store, "Ola", "Nordmann");
        PersonItem* s = test::addPerson(store, "Siri", "B");
        store.addMarriage(p, s);
        store.currentItem = p;
        store.modified = false;
        QVERIFY(!edit(store, dialog, [&] {
            child<QLineEdit>(dialog, "firstNameEdit")->setText("Changed");
            QTest::mouseClick(child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
        }));
        store.deleteItem();  // the edited item goes; the spouse keeps a slot that pointed at it
        dialog.okClicked();
        dialog.prepareControls();
        QVERIFY(!store.modified);
        QCOMPARE(s->FirstName.str(), std::string("Siri"));
        QVERIFY(prompts.records().empty());
    }

    void spouseGridEditsBothSides() {
        ItemStore store;
        ScriptedPrompts prompts;
        PersonDialog dialog(prompts);
        dialog.setDateStandardizer([](const QString& t) { return t == "1.5.1950" ? QString("1 May 1950") : t; });
        PersonItem* p = test::addPerson(store, "Per", "A");
        PersonItem* s = test::addPerson(store, "Siri", "B");
        PersonItem* t = test::addPerson(store, "Tove", "C");
        store.addMarriage(p, s);
        store.addMarriage(p, t);
        store.addMarriage(p, t);
        t->MarriagePlace[1] = "Oslo";
        t->MarriagePlace[2] = "Bergen";
        p->MarriagePlace[3] = "Trondheim";
        store.currentItem = p;
        QVERIFY(edit(store, dialog, [&] {
            auto* grid = child<QTableWidget>(dialog, "spousesGrid");
            QCOMPARE(grid->rowCount(), 3);
            QCOMPARE(grid->horizontalHeaderItem(0)->text(), QString("Spouse"));
            QCOMPARE(grid->horizontalHeaderItem(3)->text(), QString("Type"));
            QCOMPARE(grid->columnWidth(0), 282);
            QCOMPARE(grid->item(2, 0)->text(), QString("Tove C"));
            QCOMPARE(grid->item(2, 2)->text(), QString("Trondheim"));
            grid->setCurrentCell(0, 0);
            QCOMPARE(child<QLineEdit>(dialog, "spouseNameEdit")->text(), QString("Siri B"));
            auto* combo = child<QComboBox>(dialog, "relationshipBox");
            QCOMPARE(combo->currentText(), QString("Marriage"));
            QCOMPARE(combo->count(), 7);
            auto* date = child<QLineEdit>(dialog, "marriageDateEdit");
            dialog.findChild<QTabWidget*>()->setCurrentIndex(1);
            date->setFocus();
            QTest::keyClicks(date, "1.5.1950");
            QCOMPARE(grid->item(0, 1)->text(), QString("1.5.1950"));
            QFocusEvent leave(QEvent::FocusOut, Qt::TabFocusReason);  // leaving the field standardises
            QApplication::sendEvent(date, &leave);
            QCOMPARE(grid->item(0, 1)->text(), QString("1 May 1950"));
            combo->setFocus();
            combo->setCurrentIndex(2);
            emit combo->activated(2);
            QCOMPARE(grid->item(0, 3)->text(), QString("D"));
            QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        }));
        QCOMPARE(s->MarriageDate[1].str(), std::string("1 May 1950"));
        QCOMPARE(s->SpouseType[1], 'D');
        QCOMPARE(p->MarriageDate[1].str(), std::string("1 May 1950"));
        QCOMPARE(p->MarriagePlace[3].str(), std::string("Trondheim"));
        QCOMPARE(prompts.messageTexts().size(), size_t(2));
        QCOMPARE(prompts.messageTexts()[0],
                 QString("Relationship could not be updated on both sides because date or place did not match"));
    }

    void pictureLoadsAndDescriptionIsDroppedWhenCleared() {
        QTemporaryDir dir;
        const QString jpg = dir.filePath("ola.jpg");
        QImage image(20, 10, QImage::Format_RGB32);
        image.fill(Qt::red);
        QVERIFY(writeFileAtomically(jpg, encodeJpeg(image)));
        ItemStore store;
        ScriptedPrompts prompts;
        PersonDialog dialog(prompts);
        PersonItem* p = test::addPerson(store, "Ola");
        p->PictureFile = jpg.toStdString();
        p->PictureText = "At the farm";
        store.currentItem = p;
        QVERIFY(edit(store, dialog, [&] {
            auto* box = child<PictureBox>(dialog, "picture");
            QCOMPARE(box->picture().size(), QSize(20, 10));
            QCOMPARE(box->toolTip(), jpg);
            QVERIFY(child<QWidget>(dialog, "pictureTextEdit")->isEnabled());
            dialog.viewPicture();
            QCOMPARE(dialog.pictureViewer()->windowTitle(), jpg);
            QCOMPARE(dialog.pictureViewer()->image()->size(), QSize(20, 10));
            dialog.pictureViewer()->close();
            QTest::mouseClick(child<QPushButton>(dialog, "clearPictureButton"), Qt::LeftButton);
            QVERIFY(box->picture().isNull());
            QVERIFY(!child<QWidget>(dialog, "pictureTextEdit")->isEnabled());
            QVERIFY(!child<QWidget>(dialog, "clearPictureButton")->isEnabled());
            QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        }));
        QCOMPARE(p->PictureFile.str(), std::string());
        QCOMPARE(p->PictureText.str(), std::string());
        // A picture that cannot be shown leaves the empty picture area, without a message.
        p->PictureFile = dir.filePath("missing.emf").toStdString();
        QVERIFY(edit(store, dialog, [&] {
            QVERIFY(child<PictureBox>(dialog, "picture")->picture().isNull());
            QTest::mouseClick(child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
        }) == false);
        QVERIFY(prompts.records().empty());
    }

    void longPictureDescriptionIsKeptWhole() {
        // 246 characters limit typing; a loaded description of the field's full 247 is kept.
        QTemporaryDir dir;
        ItemStore store;
        ScriptedPrompts prompts;
        PersonDialog dialog(prompts);
        PersonItem* p = test::addPerson(store, "Ola");
        p->PictureFile = dir.filePath("ola.jpg").toStdString();
        const std::string full(247, 'd');
        p->PictureText = full;
        store.currentItem = p;
        QVERIFY(edit(store, dialog, [&] {
            QCOMPARE(child<QLineEdit>(dialog, "pictureTextEdit")->text().size(), 247);
            QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        }));
        QCOMPARE(p->PictureText.str(), full);
        p->PictureText = "short";
        QVERIFY(edit(store, dialog, [&] {
            QCOMPARE(child<QLineEdit>(dialog, "pictureTextEdit")->maxLength(), 246);
            QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        }));
        QCOMPARE(p->PictureText.str(), std::string("short"));
    }

    void windowsReferencesOpenTheFilesBesideTheTree() {
        QTemporaryDir tree;
        QVERIFY(QDir(tree.path()).mkpath("pics") && QDir(tree.path()).mkpath("Notes"));
        QImage picture(40, 30, QImage::Format_RGB32);
        picture.fill(Qt::red);
        QVERIFY(writeFileAtomically(tree.filePath("pics/ola.jpg"), encodeJpeg(picture)));
        const QString notes = tree.filePath("Notes/kari.txt");
        QVERIFY(writeFileAtomically(notes, "From Windows"));
        ItemStore store;
        ScriptedPrompts prompts;
        PersonDialog dialog(prompts);
        dialog.setTreeFolder([&] { return tree.path(); });
        PersonItem* p = test::addPerson(store, "Ola", "Nordmann");
        p->PictureFile = "PICS\\OLA.JPG";
        p->NotesFile = "C:\\Slekt\\notes\\KARI.TXT";
        store.currentItem = p;
        QVERIFY(edit(store, dialog, [&] {
            QCOMPARE(dialog.findChild<PictureBox*>()->picture().size(), QSize(40, 30));
            dialog.viewPicture();
            QCOMPARE(dialog.pictureViewer()->image()->size(), QSize(40, 30));
            dialog.pictureViewer()->close();
            auto* memo = child<QPlainTextEdit>(dialog, "notes");
            QCOMPARE(memo->toPlainText(), QString("From Windows"));
            memo->setPlainText("Edited on Linux");
            QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        }));
        QVERIFY(prompts.records().empty());
        QCOMPARE(*readNotesFile(notes, DisplayCharset()), QString("Edited on Linux"));
        // The stored names stay as they were.
        QCOMPARE(p->PictureFile.str(), std::string("PICS\\OLA.JPG"));
        QCOMPARE(p->NotesFile.str(), std::string("C:\\Slekt\\notes\\KARI.TXT"));
    }

    void notesFiles() {
        QTemporaryDir dir;
        ItemStore store;
        ScriptedPrompts prompts;
        PersonDialog dialog(prompts);
        PersonItem* p = test::addPerson(store, "Anne-Marie", "O'Neil");
        store.currentItem = p;
        const QString created = dir.filePath("Anne_Marie O_Neil.txt");
        prompts.answerText(created);
        QVERIFY(edit(store, dialog, [&] {
            auto* memo = child<QPlainTextEdit>(dialog, "notes");
            QVERIFY(memo->isReadOnly());
            QVERIFY(!child<QWidget>(dialog, "clearNotesButton")->isEnabled());
            QTest::mouseClick(child<QToolButton>(dialog, "newNotesButton"), Qt::LeftButton);
            QVERIFY(!memo->isReadOnly());
            QVERIFY(child<QWidget>(dialog, "clearNotesButton")->isEnabled());
            memo->setPlainText("Born on the farm.");
            QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        }));
        QCOMPARE(prompts.records().at(0).caption, QString("Create new text file"));
        QCOMPARE(prompts.records().at(0).file.fileName, QString("Anne_Marie O_Neil.txt"));
        QCOMPARE(prompts.records().at(0).file.filter, QString("Text files (*.txt)|*.txt|All files (*.*)|*.*"));
        QCOMPARE(p->NotesFile.str(), created.toStdString());
        QCOMPARE(*readNotesFile(created, DisplayCharset()), QString("Born on the farm."));

        // The notes are shown the next time; a second person's proposal follows the rule too.
        QVERIFY(!edit(store, dialog, [&] {
            QCOMPARE(child<QPlainTextEdit>(dialog, "notes")->toPlainText(), QString("Born on the farm."));
            child<QLineEdit>(dialog, "firstNameEdit")->setText("J. R.");
            child<QLineEdit>(dialog, "lastNameEdit")->setText("(Jr)");
            prompts.answerText(std::nullopt);
            QTest::mouseClick(child<QToolButton>(dialog, "newNotesButton"), Qt::LeftButton);
            QTest::mouseClick(child<QPushButton>(dialog, "cancelButton"), Qt::LeftButton);
        }));
        QCOMPARE(prompts.records().back().file.fileName, QString("J_ R_ _Jr.txt"));

        // A notes file that exists but cannot be read is never overwritten by OK.
        const QString unreadable = dir.filePath("locked.txt");
        QVERIFY(QDir().mkdir(unreadable));
        p->NotesFile = unreadable.toStdString();
        prompts.clear();
        QVERIFY(edit(store, dialog, [&] {
            child<QPlainTextEdit>(dialog, "notes")->setPlainText("typed over nothing");
            QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        }));
        QCOMPARE(prompts.messageTexts().size(), size_t(1));
        QCOMPARE(prompts.messageTexts()[0],
                 "The memo text file \"" + unreadable + "\" could not be read, so it was left unchanged.");
        QVERIFY(QFileInfo(unreadable).isDir());

        // A missing notes file is created by OK.
        const QString missing = dir.filePath("missing.txt");
        p->NotesFile = missing.toStdString();
        prompts.clear();
        QVERIFY(edit(store, dialog, [&] {
            child<QPlainTextEdit>(dialog, "notes")->setPlainText("new notes");
            QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
        }));
        QVERIFY(prompts.records().empty());
        QCOMPARE(*readNotesFile(missing, DisplayCharset()), QString("new notes"));

        // Notes left as they were are not written back through the display character set: a
        // Latin-1 file with bare line feeds and a UTF-16 file keep their bytes.
        const QString kept = dir.filePath("kept.txt");
        for (const QByteArray& bytes : {QByteArray("Bj\xF8rn\nline two\n"), QByteArray("\xFF\xFEH\0i\0\n\0", 8)}) {
            QFile out(kept);
            QVERIFY(out.open(QIODevice::WriteOnly) && out.write(bytes) == bytes.size());
            out.close();
            p->NotesFile = kept.toStdString();
            prompts.clear();
            QVERIFY(edit(store, dialog, [&] { QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton); }));
            QVERIFY(prompts.records().empty());
            QFile in(kept);
            QVERIFY(in.open(QIODevice::ReadOnly));
            QCOMPARE(in.readAll(), bytes);
        }

        // A device or a FIFO named as the notes file is neither read (it would never end) nor written.
        const QString fifo = dir.filePath("fifo.txt");
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        for (const QString& odd : {QString("/dev/zero"), fifo}) {
            p->NotesFile = odd.toStdString();
            prompts.clear();
            QVERIFY(edit(store, dialog, [&] {
                QVERIFY(child<QPlainTextEdit>(dialog, "notes")->toPlainText().isEmpty());
                QTest::mouseClick(child<QPushButton>(dialog, "okButton"), Qt::LeftButton);
            }));
            QCOMPARE(prompts.messageTexts(),
                     std::vector<QString>{"The memo text file \"" + odd + "\" could not be read, so it was left unchanged."});
        }
    }

    void maximiseToggle() {
        ItemStore store;
        ScriptedPrompts prompts;
        PersonDialog dialog(prompts);
        PersonItem* p = test::addPerson(store, "Ola");
        PersonItem copy = *p;
        dialog.fill(store, copy, *p);
        dialog.show();
        auto* top = child<QWidget>(dialog, "topPanel");
        auto* notes = child<QWidget>(dialog, "notesPanel");
        const int before = notes->height();
        child<QToolButton>(dialog, "notesHeightButton")->click();
        QVERIFY(!top->isVisible());
        QTest::qWait(20);
        QVERIFY(notes->height() > before);
        child<QToolButton>(dialog, "notesHeightButton")->click();
        QVERIFY(top->isVisible());
        dialog.hide();
    }
};

QTEST_MAIN(PersonDialogTest)
#include "person_dialog_test.moc"
