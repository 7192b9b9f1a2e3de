// SPDX-FileCopyrightText: 2026 The Sanoria developers
// SPDX-License-Identifier: GPL-3.0-or-later
// The window as the desktop reaches it: a profile named at start, a dropped
// file, Open Recent, the remembered place, the About box, the command line.
#include "GuiFixture.h"

#include "app/AppDelegate.h"
#include "app/CommandLine.h"
#include "model/DatabaseTools.h"
#include "model/Messages.h"
#include "model/Version.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMimeData>
#include <QRegularExpression>
#include <QSettings>
#include <QUrl>

namespace {

QString text(std::string_view message) {
    return QString::fromUtf8(message.data(), static_cast<qsizetype>(message.size()));
}

QString qpath(const std::filesystem::path& p) {
    return QString::fromStdString(p.string());
}

// What the drag-and-drop machinery delivers for files from a file manager.
struct Drop {
    QMimeData data;
    explicit Drop(const QList<QUrl>& urls) {
        data.setUrls(urls);
        QStringList paths;
        for (const QUrl& url : urls) {
            paths.append(url.toLocalFile());
        }
        data.setText(paths.join(QLatin1Char('\n')));
    }
    // True when some widget from `target` up took the drag.
    bool enter(QWidget* target) {
        QDragEnterEvent event(QPoint(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
        return event.isAccepted();
    }
    // A drag entering, then the drop, as a real one comes.
    bool drop(QWidget* target) {
        enter(target);
        QDropEvent event(QPointF(5, 5), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
        QCoreApplication::processEvents(); // the profile is opened after the drop
        return event.isAccepted();
    }
};

} // namespace

class Desktop : public GuiTest {
protected:
    TempDir dir;
    QString profile(const char* name, const char* content = "Fatigue\n60.0\nFever\n80.0\n") {
        writeFile(dir / name, content);
        return qpath(dir / name);
    }
    QMenu* recentMenu() const { return widget<QMenu>("menuOpenRecent"); }
    // The profiles Open Recent offers, newest first.
    QStringList recent() const {
        QStringList paths;
        for (QAction* action : recentMenu()->actions()) {
            if (!action->data().toString().isEmpty()) {
                paths.append(action->data().toString());
            }
        }
        return paths;
    }
    QAction* recentAction(int index) const {
        QList<QAction*> entries;
        for (QAction* action : recentMenu()->actions()) {
            if (!action->data().toString().isEmpty()) {
                entries.append(action);
            }
        }
        return entries.value(index);
    }
};

TEST_F(Desktop, ProfileNamedAtStartIsOpened) {
    window.reset();
    const QString path = profile("start.snp");
    window = AppDelegate().launch(dialogs, testData("catalogues/gui.plist"), path);
    ASSERT_TRUE(window);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(title(), "Sanoria - start");
    EXPECT_EQ(column(symptomTable(), 0), (QStringList{"Fatigue", "Fever"}));
    EXPECT_EQ(vc().currentProfilePath, path);
    EXPECT_TRUE(dialogs.alerts.isEmpty());
    EXPECT_EQ(recent(), QStringList{path});
}

TEST_F(Desktop, UnreadableProfileAtStartIsReportedAndTheWindowStartsEmpty) {
    window.reset();
    const QString broken = profile("broken.snp", "Fatigue\nlots\n");
    for (const QString& path : {broken, qpath(dir / "absent.snp")}) {
        dialogs.alerts.clear();
        window = AppDelegate().launch(dialogs, testData("catalogues/gui.plist"), path);
        ASSERT_TRUE(window);
        EXPECT_EQ(dialogs.alertTexts(), QStringList{text(messages::kCouldNotLoad)});
        EXPECT_EQ(title(), "Sanoria");
        EXPECT_EQ(symptomTable()->model()->rowCount(), 0);
        EXPECT_TRUE(vc().currentProfilePath.isEmpty()); // a later Save asks where
        EXPECT_TRUE(recent().isEmpty());
    }
}

TEST_F(Desktop, DroppedProfileOpensAfterTheQuestion) {
    const QString path = profile("dropped.snp");
    add("Cough", 40);
    ASSERT_EQ(title(), "Sanoria*");

    Drop drop({QUrl::fromLocalFile(path)});
    EXPECT_TRUE(drop.enter(window.get()));
    dialogs.alertAnswers = {1}; // "No": the document stays
    EXPECT_TRUE(drop.drop(window.get()));
    ASSERT_EQ(dialogs.alertTexts(), QStringList{text(messages::kDiscardAndContinue)});
    EXPECT_EQ(title(), "Sanoria*");
    EXPECT_EQ(column(symptomTable(), 0), QStringList{"Cough"});

    dialogs.alertAnswers = {0}; // "Yes"
    drop.drop(window.get());
    EXPECT_EQ(dialogs.alerts.size(), 2);
    EXPECT_EQ(title(), "Sanoria - dropped");
    EXPECT_EQ(column(symptomTable(), 0), (QStringList{"Fatigue", "Fever"}));
    EXPECT_EQ(dialogs.openPanels, 0);

    // A clean document is replaced without a question.
    const QString other = profile("other.snp", "Cough\n20.0\n");
    Drop({QUrl::fromLocalFile(other)}).drop(window.get());
    EXPECT_EQ(dialogs.alerts.size(), 2);
    EXPECT_EQ(title(), "Sanoria - other");
}

TEST_F(Desktop, OtherDropsAreRefused) {
    const QString snp = profile("a.snp");
    writeFile(dir / "notes.txt", "Fatigue\n60.0\n");
    const QList<QList<QUrl>> refused = {
        {QUrl::fromLocalFile(qpath(dir / "notes.txt"))},
        {QUrl::fromLocalFile(snp), QUrl::fromLocalFile(profile("b.snp"))},
        {QUrl(QStringLiteral("https://example.org/a.snp"))},
    };
    for (const auto& urls : refused) {
        Drop drop(urls);
        EXPECT_FALSE(drop.enter(window.get())) << urls.first().toString().toStdString();
        EXPECT_FALSE(drop.drop(window.get()));
    }
    EXPECT_EQ(title(), "Sanoria");
    EXPECT_EQ(symptomTable()->model()->rowCount(), 0);
    EXPECT_TRUE(dialogs.alerts.isEmpty());
}

TEST_F(Desktop, DropOnTheSymptomFieldNeverTypesThePath) {
    QLineEdit* field = widget<QComboBox>("comboSymptom")->lineEdit();
    const QString before = field->text();
    writeFile(dir / "notes.txt", "x");
    Drop notes({QUrl::fromLocalFile(qpath(dir / "notes.txt"))});
    EXPECT_FALSE(notes.enter(field));
    notes.drop(field);
    EXPECT_EQ(field->text(), before);

    // A profile dropped there opens, as anywhere on the window.
    const QString path = profile("onfield.snp");
    Drop snp({QUrl::fromLocalFile(path)});
    EXPECT_TRUE(snp.enter(field));
    snp.drop(field);
    EXPECT_FALSE(field->text().contains(QStringLiteral("onfield")));
    EXPECT_EQ(title(), "Sanoria - onfield");

    // Plain text is still a symptom name.
    QMimeData words;
    words.setText(QStringLiteral("Cough"));
    QDragEnterEvent enter(QPoint(5, 5), Qt::CopyAction, &words, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(field, &enter);
    EXPECT_TRUE(enter.isAccepted());
}

TEST_F(Desktop, OpenRecentListsOpenedAndSavedProfilesNewestFirst) {
    EXPECT_TRUE(recent().isEmpty());
    EXPECT_FALSE(recentMenu()->isEnabled());

    const QString first = profile("first.snp");
    dialogs.openAnswers = {first};
    widget<QAction>("actionOpen")->trigger();
    EXPECT_EQ(recent(), QStringList{first});
    EXPECT_TRUE(recentMenu()->isEnabled());
    EXPECT_EQ(recentAction(0)->text(), "&1 first.snp");

    add("Cough", 40);
    const QString saved = qpath(dir / "saved.snp");
    dialogs.saveAnswers = {saved};
    widget<QAction>("actionSaveAs")->trigger();
    EXPECT_EQ(recent(), (QStringList{saved, first}));

    // Opening from the menu: the question first, then the file; it moves to the top.
    add("Fever", 100);
    dialogs.alerts.clear();
    dialogs.alertAnswers = {0, 0}; // "Yes" to the question (and OK to any alert)
    recentAction(1)->trigger();
    ASSERT_FALSE(dialogs.alerts.isEmpty());
    EXPECT_EQ(dialogs.alerts[0].text, text(messages::kDiscardAndContinue));
    EXPECT_EQ(title(), "Sanoria - first");
    EXPECT_EQ(recent(), (QStringList{first, saved}));

    // The list survives the window.
    window.reset();
    window = std::make_unique<MainWindow>(
        DatabaseTools::loadDiseases(testData("catalogues/gui.plist")), dialogs);
    EXPECT_EQ(recent(), (QStringList{first, saved}));

    widget<QAction>("actionClearRecent")->trigger();
    EXPECT_TRUE(recent().isEmpty());
    EXPECT_FALSE(recentMenu()->isEnabled());
}

TEST_F(Desktop, OpenRecentKeepsEightAndDropsWhatCannotBeRead) {
    QStringList paths;
    for (int i = 0; i < 10; ++i) {
        const std::string name = "p" + std::to_string(i) + ".snp";
        paths.prepend(profile(name.c_str()));
        dialogs.openAnswers = {paths.first()};
        widget<QAction>("actionOpen")->trigger();
    }
    EXPECT_EQ(recent(), paths.mid(0, 8));
    EXPECT_EQ(recentAction(7)->text(), "&8 p2.snp");

    // Opening the same file again does not list it twice.
    dialogs.openAnswers = {paths[3]};
    widget<QAction>("actionOpen")->trigger();
    EXPECT_EQ(recent().size(), 8);
    EXPECT_EQ(recent().first(), paths[3]);
    EXPECT_EQ(recent().count(paths[3]), 1);

    // A listed file that has gone: reported, and taken off the list.
    const QString gone = recent()[1];
    std::filesystem::remove(gone.toStdString());
    const QString before = title();
    recentAction(1)->trigger();
    EXPECT_EQ(dialogs.alertTexts().last(), text(messages::kCouldNotLoad));
    EXPECT_EQ(title(), before);
    EXPECT_FALSE(recent().contains(gone));
    EXPECT_EQ(recent().size(), 7);
}

TEST_F(Desktop, RecentNamesWithAmpersandsShowAsWritten) {
    const QString path = profile("A&B.snp");
    dialogs.openAnswers = {path};
    widget<QAction>("actionOpen")->trigger();
    EXPECT_EQ(recentAction(0)->text(), "&1 A&&B.snp");
    EXPECT_EQ(recentAction(0)->toolTip(), path);
}

TEST_F(Desktop, WindowRemembersItsPlaceAndSize) {
    const QSize size = window->minimumSizeHint().expandedTo(QSize(640, 480)) + QSize(31, 17);
    window->setGeometry(QRect(QPoint(40, 30), size));
    ASSERT_TRUE(window->close());
    window = std::make_unique<MainWindow>(
        DatabaseTools::loadDiseases(testData("catalogues/gui.plist")), dialogs);
    EXPECT_EQ(window->size(), size);
    EXPECT_EQ(window->geometry().topLeft(), QPoint(40, 30));
}

TEST_F(Desktop, AboutShowsVersionLicenceCatalogueAndDisclaimer) {
    widget<QAction>("actionAbout")->trigger();
    ASSERT_EQ(dialogs.abouts.size(), 1);
    const QString about = dialogs.abouts[0].text;
    EXPECT_EQ(dialogs.abouts[0].title, "About Sanoria");
    EXPECT_TRUE(about.contains(QRegularExpression(R"(Sanoria \d+\.\d+\.\d+)")));
    EXPECT_TRUE(about.contains(QString::fromLatin1(kSanoriaVersion)));
    EXPECT_TRUE(about.contains("GPL-3.0-or-later"));
    EXPECT_TRUE(about.contains(QStringLiteral("%1 conditions").arg(vc().diseasesList.size())));
    EXPECT_TRUE(about.contains(text(messages::kDisclaimer)));
    EXPECT_TRUE(dialogs.alerts.isEmpty());
}

TEST(CommandLine, ArgumentsOfTheDesktopProgram) {
    using A = CommandLine::Action;
    const struct {
        std::vector<std::string> args;
        A action;
        std::string profile;
    } rows[] = {
        {{}, A::Run, ""},
        {{"my.snp"}, A::Run, "my.snp"},
        {{"--", "-odd.snp"}, A::Run, "-odd.snp"},
        {{"--help"}, A::Help, ""},
        {{"-h", "my.snp"}, A::Help, ""},
        {{"--version"}, A::Version, ""},
        {{"-platform", "offscreen", "--version"}, A::Version, ""}, // before Qt takes its own
        {{"--bogus", "--help"}, A::Help, ""},
        {{"--bogus"}, A::Error, ""},
        {{"a.snp", "b.snp"}, A::Error, ""},
        {{"--", "--help"}, A::Run, "--help"},
    };
    for (const auto& row : rows) {
        const CommandLine line = parseCommandLine(row.args);
        EXPECT_EQ(line.action, row.action) << ::testing::PrintToString(row.args);
        EXPECT_EQ(line.profile, row.profile) << ::testing::PrintToString(row.args);
    }
    EXPECT_EQ(parseCommandLine({"--version"}).text,
              std::string("sanoria ") + kSanoriaVersion + "\n");
    EXPECT_NE(parseCommandLine({"--bogus"}).text.find("unknown option --bogus"), std::string::npos);
    EXPECT_NE(parseCommandLine({"--help"}).text.find("usage: sanoria"), std::string::npos);
}
