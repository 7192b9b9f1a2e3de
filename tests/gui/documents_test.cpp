// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixture.h"

#include "model/Messages.h"
#include "presentation/ViewControllerInfo.h"

#include <QAction>
#include <QApplication>
#include <QDialog>

namespace {
QString text(std::string_view message) {
    return QString::fromUtf8(message.data(), message.size());
}
QString qpath(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}
} // namespace

class Documents : public GuiTest {
protected:
    TempDir dir;
    QString file(const char* name) const { return qpath(dir / name); }
    void trigger(const char* action) { widget<QAction>(action)->trigger(); }
    void makeDirty() { add("Fatigue", 40); }
};

TEST_F(Documents, QuestionsAskedOnlyWithUnsavedChanges) {
    // Clean: nothing is asked, and each command goes on.
    trigger("actionNew");
    trigger("actionOpen");
    EXPECT_TRUE(dialogs.alerts.isEmpty());
    EXPECT_EQ(dialogs.openPanels, 1);

    const struct {
        const char* action;
        std::string_view question;
    } rows[] = {{"actionNew", messages::kDiscardAndContinue},
                {"actionOpen", messages::kDiscardAndContinue}};
    for (const auto& row : rows) {
        makeDirty();
        dialogs.alerts.clear();
        dialogs.openPanels = 0;
        dialogs.alertAnswers = {1}; // "No": nothing happens
        trigger(row.action);
        ASSERT_EQ(dialogs.alerts.size(), 1) << row.action;
        EXPECT_EQ(dialogs.alerts[0].text, text(row.question));
        EXPECT_EQ(dialogs.alerts[0].buttons, (QStringList{"Yes", "No"}));
        EXPECT_EQ(symptomTable()->model()->rowCount(), 1);
        EXPECT_EQ(title(), "Sanoria*");
        EXPECT_EQ(dialogs.openPanels, 0);

        dialogs.alertAnswers = {0}; // "Yes"
        trigger(row.action);
        if (std::string(row.action) == "actionNew") {
            EXPECT_EQ(symptomTable()->model()->rowCount(), 0);
            EXPECT_EQ(title(), "Sanoria");
        } else {
            EXPECT_EQ(dialogs.openPanels, 1); // cancelled panel: nothing changed
            EXPECT_EQ(symptomTable()->model()->rowCount(), 1);
            vc().OnClearSymptoms();
            vc().OnFileNew();
            dialogs.alertAnswers = {0};
        }
    }
}

TEST_F(Documents, CloseAndQuitAskTheExitQuestion) {
    window->close(); // clean: closes without a word
    EXPECT_FALSE(window->isVisible());
    EXPECT_TRUE(dialogs.alerts.isEmpty());

    window->show();
    makeDirty();
    dialogs.alertAnswers = {1};
    window->close();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dialogs.alertTexts(), QStringList{text(messages::kDiscardAndExit)});

    dialogs.alertAnswers = {1};
    trigger("actionQuit");
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(dialogs.alerts.size(), 2);

    // "Yes" to quitting closes the window without asking again.
    dialogs.alertAnswers = {0};
    trigger("actionQuit");
    EXPECT_FALSE(window->isVisible());
    EXPECT_EQ(dialogs.alerts.size(), 3);
    EXPECT_EQ(dialogs.alerts[2].text, text(messages::kDiscardAndExit));
}

TEST_F(Documents, CloseWithYes) {
    makeDirty();
    dialogs.alertAnswers = {0};
    window->close();
    EXPECT_FALSE(window->isVisible());
}

TEST_F(Documents, SaveAndSaveAs) {
    // Save on a clean, never saved document does nothing at all.
    trigger("actionSave");
    EXPECT_TRUE(dialogs.savePanelNames.isEmpty());

    // Save As works on a clean document and adds the extension left out.
    dialogs.saveAnswers = {file("first")};
    trigger("actionSaveAs");
    EXPECT_EQ(dialogs.savePanelNames, QStringList{"profile.snp"});
    EXPECT_EQ(readFile(dir / "first.snp"), "");
    EXPECT_EQ(title(), "Sanoria - first");
    EXPECT_EQ(vc().currentProfilePath, file("first.snp"));

    // Save writes to the path without asking; the mark goes.
    add("Chest pain", 60);
    trigger("actionSave");
    EXPECT_EQ(dialogs.savePanelNames.size(), 1);
    EXPECT_EQ(readFile(dir / "first.snp"), "Chest pain\n60.0\n");
    EXPECT_EQ(title(), "Sanoria - first");

    // After New, Save asks again, offering "profile.snp".
    trigger("actionNew");
    EXPECT_TRUE(vc().currentProfilePath.isEmpty());
    add("Fatigue", 20);
    dialogs.saveAnswers = {file("second.snp")};
    trigger("actionSave");
    EXPECT_EQ(dialogs.savePanelNames, (QStringList{"profile.snp", "profile.snp"}));
    EXPECT_EQ(readFile(dir / "second.snp"), "Fatigue\n20.0\n");

    // A cancelled panel changes nothing.
    add("Sweating", 40);
    trigger("actionSaveAs");
    EXPECT_EQ(title(), "Sanoria - second*");
    EXPECT_EQ(vc().currentProfilePath, file("second.snp"));
}

TEST_F(Documents, FailedSaveKeepsFileAndMark) {
    writeFile(dir / "kept.snp", "Vertigo\n60.0\n");
    dialogs.openAnswers = {file("kept.snp")};
    trigger("actionOpen");
    add("Chest pain", 60);
    {
        ReadOnlyFolder readOnly(dir.path());
        trigger("actionSave");
    }
    ASSERT_EQ(dialogs.alerts.size(), 1);
    EXPECT_EQ(dialogs.alerts[0].text, text(messages::kCouldNotSave));
    EXPECT_EQ(dialogs.alerts[0].buttons, QStringList{"OK"});
    EXPECT_FALSE(dialogs.alerts[0].detail.isEmpty());
    EXPECT_EQ(readFile(dir / "kept.snp"), "Vertigo\n60.0\n");
    EXPECT_EQ(title(), "Sanoria - kept*");

    // Save As into a folder that is not there: the path tried is kept for the next Save.
    dialogs.saveAnswers = {file("missing/other.snp")};
    trigger("actionSaveAs");
    EXPECT_EQ(dialogs.alerts.size(), 2);
    EXPECT_EQ(vc().currentProfilePath, file("missing/other.snp"));
    EXPECT_EQ(title(), "Sanoria - kept*");
}

TEST_F(Documents, LoadEdgeFiles) {
    const struct {
        const char* name;
        std::string bytes;
        QStringList names; // empty with ok = false: the load fails
        bool ok;
    } files[] = {
        {"empty.snp", "", {}, true},
        {"bom.snp", "\xEF\xBB\xBFVertigo\n60.0\n", {"Vertigo"}, true},
        {"lastline.snp", "Vertigo\n60.0\nChest pain", {"Vertigo"}, true},
        {"special.snp", "A\nnan\nB\ninf\nC\n-inf\n", {"A", "B", "C"}, true},
        {"crlf.snp", "Vertigo\r\n60.0\r\n", {}, false},
        {"nofinal.snp", "Vertigo\n60.0", {}, false},
        {"lf.snp", "\n", {}, false},
        {"comma.snp", "Vertigo\n60,0\n", {}, false},
        {"latin1.snp", "Caf\xE9\n60.0\n", {}, false},
    };
    for (const auto& f : files) {
        writeFile(dir / f.name, f.bytes);
        vc().OnClearSymptoms();
        add("Before", 40);
        vc().setProfileTitle("/x/before.snp");
        button("buttonGenerateDiagnostic")->click();
        dialogs.alerts.clear();
        dialogs.openAnswers = {file(f.name)};
        trigger("actionOpen");
        if (f.ok) {
            EXPECT_TRUE(dialogs.alerts.isEmpty()) << f.name;
            EXPECT_EQ(column(symptomTable(), 0), f.names) << f.name;
            EXPECT_EQ(title(), "Sanoria - " + QString(f.name).chopped(4));
            EXPECT_EQ(vc().currentProfilePath, file(f.name));
            if (f.names.size() == 3) { // the special values show no level
                EXPECT_EQ(cell(symptomTable(), 0, 1), "");
                EXPECT_EQ(cell(symptomTable(), 0, 0), "A");
            }
        } else {
            EXPECT_EQ(dialogs.alertTexts(), QStringList{text(messages::kCouldNotLoad)}) << f.name;
            EXPECT_EQ(column(symptomTable(), 0), QStringList{"Before"}) << f.name;
            EXPECT_EQ(title(), "Sanoria - before") << f.name;
        }
    }
}

TEST_F(Documents, FailedLoadChangesNothing) {
    writeFile(dir / "good.snp", "Chest pain\n100.0\n");
    dialogs.openAnswers = {file("good.snp")};
    trigger("actionOpen");
    button("buttonGenerateDiagnostic")->click();
    add("Sweating", 60);
    const QStringList results = column(diagnosticTable(), 0);
    ASSERT_FALSE(results.isEmpty());

    writeFile(dir / "bad.snp", "Fatigue\n20.0\nSweating\nlots\n");
    dialogs.alertAnswers = {0}; // discard the change
    dialogs.openAnswers = {file("bad.snp")};
    trigger("actionOpen");
    EXPECT_EQ(dialogs.alerts.last().text, text(messages::kCouldNotLoad));
    EXPECT_EQ(column(symptomTable(), 0), (QStringList{"Chest pain", "Sweating"}));
    EXPECT_EQ(column(diagnosticTable(), 0), results);
    EXPECT_EQ(title(), "Sanoria - good*");
    EXPECT_EQ(vc().currentProfilePath, file("good.snp"));

    // So a later Save can never overwrite the file that failed.
    trigger("actionSave");
    EXPECT_EQ(readFile(dir / "bad.snp"), "Fatigue\n20.0\nSweating\nlots\n");
    EXPECT_EQ(readFile(dir / "good.snp"), "Chest pain\n100.0\nSweating\n60.0\n");
}

TEST_F(Documents, TitleForms) {
    vc().setProfileTitle("/a/b/ab.snp");
    EXPECT_EQ(title(), "Sanoria - ab");
    EXPECT_FALSE(vc().hasUnsavedChanges());
    vc().setProfileTitle("/a/list*.snp");
    EXPECT_EQ(title(), "Sanoria - list*");
    EXPECT_TRUE(vc().hasUnsavedChanges());
    vc().setProfileTitle("/a/abc");
    EXPECT_EQ(title(), "Sanoria - ");
    vc().setProfileTitle("/a/abcd");
    EXPECT_EQ(title(), "Sanoria - ");
    // Characters as a reader counts them: "e" + combining accent is one.
    vc().setProfileTitle("/a/cafe\xCC\x81.snp");
    EXPECT_EQ(title(), "Sanoria - cafe\xCC\x81");
    vc().setProfileTitle("/a/x.e\xCC\x81"
                         "ab");
    EXPECT_EQ(title(), "Sanoria - x");

    window->setWindowTitle("");
    EXPECT_FALSE(vc().hasUnsavedChanges());
    vc().markModified();
    EXPECT_EQ(title(), "*");
    vc().markModified();
    EXPECT_EQ(title(), "*");
}

TEST_F(Documents, RoundTripGivesTheSameResults) {
    add("Chest pain", 100);
    add("Sweating", 60);
    add("Nausea", 20);
    button("buttonGenerateDiagnostic")->click();
    const QStringList diseases = column(diagnosticTable(), 0);
    const QStringList probabilities = column(diagnosticTable(), 1);
    dialogs.saveAnswers = {file("round.snp")};
    trigger("actionSaveAs");
    trigger("actionNew");
    EXPECT_EQ(diagnosticTable()->model()->rowCount(), 0);
    dialogs.openAnswers = {file("round.snp")};
    trigger("actionOpen");
    EXPECT_EQ(title(), "Sanoria - round");
    EXPECT_EQ(diagnosticTable()->model()->rowCount(), 0); // loading empties the results
    button("buttonGenerateDiagnostic")->click();
    EXPECT_EQ(column(diagnosticTable(), 0), diseases);
    EXPECT_EQ(column(diagnosticTable(), 1), probabilities);
}

TEST_F(Documents, InformationWindow) {
    EXPECT_FALSE(button("buttonInfo")->isEnabled());
    vc().OnInfo(); // no result selected: nothing opens
    EXPECT_EQ(dialogs.modalRuns, 0);

    add("Chest pain", 100);
    button("buttonGenerateDiagnostic")->click();
    const int heartAttack = static_cast<int>(column(diagnosticTable(), 0).indexOf("Heart attack"));
    ASSERT_GE(heartAttack, 0);
    diagnosticTable()->selectRow(heartAttack);
    ASSERT_TRUE(button("buttonInfo")->isEnabled());

    QStringList texts;
    QColor gravityColour;
    dialogs.onModal = [&](QDialog& dialog) {
        auto& info = dynamic_cast<ViewControllerInfo&>(dialog);
        EXPECT_TRUE(dialog.isModal());
        texts = {info.labelName->text(), info.labeldescription->text(), info.labelGravity->text(),
                 info.labelFrequency->text(), info.labelSymptoms->text()};
        gravityColour = info.labelGravity->autoFillBackground()
                            ? info.labelGravity->palette().color(QPalette::Window)
                            : QColor();
    };
    button("buttonInfo")->click();
    EXPECT_EQ(dialogs.modalRuns, 1);
    EXPECT_EQ(texts, (QStringList{"Heart attack", "A blocked heart artery. Call for help at once.",
                                  "Extremely High", "2 out of 1000 patients have this disease",
                                  "Chest pain, Palpitations, Sweating, Nausea"}));
    EXPECT_EQ(gravityColour, rgb(1.0, 0.2, 0.0));
    // The catalogue keeps the new order.
    const auto& symptoms =
        vc().diagnosticsList[static_cast<std::size_t>(heartAttack)]->disease->symptoms;
    EXPECT_EQ(symptoms[0]->name(), "Chest pain");
    EXPECT_EQ(symptoms[3]->name(), "Nausea");

    // A gravity off the scale keeps the window's own text; a double-click opens it too.
    organ("buttonLungs")->click();
    add("Wheezing", 80);
    button("buttonGenerateDiagnostic")->click();
    const int asthma = static_cast<int>(column(diagnosticTable(), 0).indexOf("Asthma"));
    ASSERT_GE(asthma, 0);
    diagnosticTable()->selectRow(asthma);
    const QModelIndex index = diagnosticTable()->model()->index(asthma, 0);
    emit diagnosticTable()->doubleClicked(index);
    EXPECT_EQ(dialogs.modalRuns, 2);
    EXPECT_EQ(texts[0], "Asthma");
    EXPECT_EQ(texts[2], "Unknown");
}
