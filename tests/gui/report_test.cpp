// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
#include "GuiFixture.h"

#include <QAction>
#include <QComboBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTest>

namespace {

class ReportWindow : public GuiTest {
protected:
    QAction* action(const char* name) const {
        return window->findChild<QAction*>(QString::fromLatin1(name));
    }
    void generate() { button("buttonGenerateDiagnostic")->click(); }

    // The text a reader of the PDF finds, through poppler's pdftotext.
    static QString pdfText(const QString& path) {
        QProcess process;
        process.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, "-"});
        EXPECT_TRUE(process.waitForFinished(30000)) << "pdftotext (scripts/install-deps)";
        EXPECT_EQ(process.exitCode(), 0);
        return QString::fromUtf8(process.readAllStandardOutput()).simplified();
    }
};

} // namespace

TEST_F(ReportWindow, CommandsNeedAResult) {
    EXPECT_FALSE(action("actionExportReport")->isEnabled());
    EXPECT_FALSE(action("actionPrint")->isEnabled());
    action("actionPrint")->trigger(); // disabled: nothing asked
    EXPECT_TRUE(dialogs.printedTexts.isEmpty());

    add("Chest pain", 100);
    EXPECT_FALSE(action("actionExportReport")->isEnabled()); // symptoms alone are no result
    generate();
    EXPECT_TRUE(action("actionExportReport")->isEnabled());
    EXPECT_TRUE(action("actionPrint")->isEnabled());

    action("actionNew")->trigger();
    EXPECT_FALSE(action("actionExportReport")->isEnabled());
    EXPECT_FALSE(action("actionPrint")->isEnabled());
}

TEST_F(ReportWindow, ExportWritesAPdfWithEveryPart) {
    TempDir dir;
    add("Chest pain", 100);
    add("Sweating", 60);
    widget<QComboBox>("comboSex")->setCurrentIndex(1);
    QTest::keyClicks(widget<QLineEdit>("editAge"), "58");
    generate();

    dialogs.saveAnswers = {QString::fromStdString((dir / "for the doctor").string())};
    action("actionExportReport")->trigger();
    ASSERT_EQ(dialogs.savePanelExtensions, QStringList{"pdf"});
    EXPECT_TRUE(dialogs.savePanelNames.first().startsWith("Sanoria report "));
    const QString pdf = QString::fromStdString((dir / "for the doctor.pdf").string());
    ASSERT_TRUE(QFile::exists(pdf));
    EXPECT_FALSE(dialogs.alertTexts().contains("Could not export the report."));

    const QString text = pdfText(pdf);
    for (const char* part :
         {"Sanoria report", "Date: ", "Chest pain Extremely High", "Sweating High", "About you",
          "Female, 58 years", "How soon to get care", "Emergency", "Possible causes",
          "Heart attack", "Angina", "Why these results",
          "Sanoria gives information, not a medical diagnosis."}) {
        EXPECT_TRUE(text.contains(QString::fromUtf8(part))) << part << "\n" << text.toStdString();
    }
    // Exporting changes neither the document nor its mark.
    EXPECT_TRUE(title().endsWith('*'));
}

TEST_F(ReportWindow, ExportAddsTheExtensionToDottedNamesAndAsksBeforeReplacing) {
    add("Wheezing", 60); // below the critical warning
    generate();
    TempDir dir;
    const auto path = [&](const char* name) {
        return QString::fromStdString((dir / name).string());
    };
    dialogs.saveAnswers = {path("2024.05.01")};
    action("actionExportReport")->trigger();
    ASSERT_TRUE(QFile::exists(path("2024.05.01.pdf")));
    EXPECT_FALSE(QFile::exists(path("2024.05.01")));
    EXPECT_TRUE(dialogs.alerts.isEmpty());

    writeFile(dir / "kept.v2.pdf", "earlier");
    dialogs.saveAnswers = {path("kept.v2")};
    dialogs.alertAnswers = {1}; // No
    action("actionExportReport")->trigger();
    ASSERT_EQ(dialogs.alertTexts(),
              QStringList{"A report with this name already exists. Do you want to replace it?"});
    EXPECT_EQ(dialogs.alerts.last().detail, path("kept.v2.pdf"));
    EXPECT_EQ(readFile(dir / "kept.v2.pdf"), "earlier");
}

TEST_F(ReportWindow, FailedExportSaysSoAndPrintGoesThroughTheDialog) {
    add("Wheezing", 80);
    generate();
    TempDir dir;
    dialogs.saveAnswers = {QString::fromStdString((dir / "no" / "such" / "r.pdf").string())};
    action("actionExportReport")->trigger();
    ASSERT_EQ(dialogs.alertTexts().count("Could not export the report."), 1);
    EXPECT_FALSE(dialogs.alerts.last().detail.isEmpty());

    dialogs.printAnswers = {false};
    action("actionPrint")->trigger(); // cancelled
    EXPECT_TRUE(dialogs.printedTexts.isEmpty());
    action("actionPrint")->trigger();
    ASSERT_EQ(dialogs.printedTexts.size(), 1);
    EXPECT_TRUE(dialogs.printedTexts[0].contains("Asthma"));
    EXPECT_TRUE(dialogs.printedTexts[0].contains("Wheezing"));
    EXPECT_FALSE(dialogs.printedTexts[0].contains("About you")); // not given
}
