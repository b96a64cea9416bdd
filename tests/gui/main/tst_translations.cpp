#include "../../support/FakePlatform.h"
#include "../../support/NamedChild.h"
#include "core/settings/VelGlobals.h"
#include "gui/about/About.h"
#include "gui/controls/Fonts.h"
#include "gui/main/Main.h"
#include "gui/options/Option.h"
#include "gui/shortcuts/MakeIS.h"
#include "gui/shortcuts/NelFolderDialog.h"
#include "gui/templates/EditTemplate.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <memory>

namespace {

// Hiragana, katakana, kanji and full-width forms: a text holding one is not English.
bool HasJapanese(const QString& text) {
    static const QRegularExpression japanese(
        QStringLiteral("[\\x{3000}-\\x{30FF}\\x{4E00}-\\x{9FFF}\\x{FF00}-\\x{FFEF}]"));
    return text.contains(japanese);
}

// The text as drawn: "&" marks the mnemonic, "&&" is one "&".
QString Shown(QString text) {
    text.replace(QLatin1String("&&"), QStringLiteral("\x01"));
    text.remove(QLatin1Char('&'));
    return text.replace(QChar(1), QLatin1Char('&'));
}

// The width the control leaves its text, as its style lays it out.
int TextRoom(QWidget* w) {
    QStyle* style = w->style();
    if (auto* label = qobject_cast<QLabel*>(w))
        return label->contentsRect().width() - 2 * label->margin() - qMax(0, label->indent());
    QStyleOptionButton option;
    option.initFrom(w);
    option.text = qobject_cast<QAbstractButton*>(w)->text();
    if (qobject_cast<QCheckBox*>(w))
        return style->subElementRect(QStyle::SE_CheckBoxContents, &option, w).width();
    if (qobject_cast<QRadioButton*>(w))
        return style->subElementRect(QStyle::SE_RadioButtonContents, &option, w).width();
    if (qobject_cast<QPushButton*>(w))
        return style->subElementRect(QStyle::SE_PushButtonContents, &option, w).width();
    return w->width();
}

// Every fault of the window's texts: a text wider than the room its control gives it (taller, for a wrapped
// label), and in English a text a user can read that is not English.
QStringList TextFaults(QWidget* window, bool english) {
    QStringList faults;
    const auto where = [window](QWidget* w) { return window->objectName() + QLatin1Char('/') + w->objectName(); };
    const auto readable = [&](QWidget* w, const QString& text) {
        if (english && HasJapanese(text))
            faults << where(w) + QStringLiteral(": not English: ") + text;
    };
    const auto fits = [&](QWidget* w, const QString& text) {
        const int needed = w->fontMetrics().horizontalAdvance(Shown(text));
        if (!text.isEmpty() && needed > TextRoom(w))
            faults << where(w) + QStringLiteral(": cut off: %1 (%2 > %3 px)").arg(text).arg(needed).arg(TextRoom(w));
    };
    readable(window, window->windowTitle());
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window))
            continue;
        readable(w, w->toolTip());
        if (auto* label = qobject_cast<QLabel*>(w)) {
            readable(w, label->text());
            if (label->wordWrap()) {
                if (label->heightForWidth(label->width()) > label->height())
                    faults << where(w) + QStringLiteral(": cut off below: ") + label->text();
            } else if (label->textFormat() != Qt::RichText && !label->text().startsWith(QLatin1Char('<'))) {
                fits(w, label->text());
            }
        } else if (auto* button = qobject_cast<QAbstractButton*>(w)) {
            readable(w, button->text());
            fits(w, button->text());
        } else if (auto* group = qobject_cast<QGroupBox*>(w)) {
            readable(w, group->title());
        }
    }
    // Template entries ("&1：http://…") are the user's data, not the program's texts.
    static const QRegularExpression templateEntry(QStringLiteral("^&[1-9A-F]\\x{FF1A}"));
    for (QAction* action : window->findChildren<QAction*>())
        if (!action->isSeparator() && !action->text().contains(templateEntry))
            readable(window, action->text());
    return faults;
}

// Two items of one menu, or two controls of one window, with the same accelerator: Alt+letter reaches only one.
QStringList AcceleratorClashes(const QString& where, const QStringList& texts) {
    QStringList faults;
    QHash<QChar, QString> taken;
    for (const QString& text : texts) {
        const QString shown = QString(text).replace(QLatin1String("&&"), QString());
        const qsizetype mark = shown.indexOf(QLatin1Char('&'));
        if (mark < 0 || mark + 1 >= shown.size())
            continue;
        const QChar key = shown.at(mark + 1).toLower();
        if (taken.contains(key))
            faults << where + QStringLiteral(": \"%1\" and \"%2\" share Alt+%3").arg(taken[key], text, key);
        taken.insert(key, text);
    }
    return faults;
}

// The accelerators of a window's visible controls, or of a menu's items.
QStringList Accelerators(QWidget* window) {
    QStringList texts;
    if (auto* menu = qobject_cast<QMenu*>(window)) {
        for (QAction* action : menu->actions())
            if (action->isVisible() && !action->isSeparator())
                texts << action->text();
        return texts;
    }
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(window))
            continue;
        if (auto* label = qobject_cast<QLabel*>(w); label && label->buddy())
            texts << label->text();
        else if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts << button->text();
        else if (auto* group = qobject_cast<QGroupBox*>(w))
            texts << group->title();
    }
    return texts;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

    QTemporaryDir FDir;
    FakeShellOpen FShell;
    std::unique_ptr<QTranslator> FTranslator;

    void Speak(const QString& language) {
        if (FTranslator)
            QCoreApplication::removeTranslator(FTranslator.get());
        FTranslator.reset();
        if (language == QLatin1String("ja"))
            return;
        FTranslator = std::make_unique<QTranslator>();
        QVERIFY(FTranslator->load(QStringLiteral(":/i18n/velmarinth_") + language));
        QCoreApplication::installTranslator(FTranslator.get());
    }

private slots:
    // The faces the windows name are mapped as at the program's start, or other fonts measure the texts.
    void initTestCase() { MapWindowsFonts(); }

    void everyTextFits_data() {
        QTest::addColumn<QString>("language");
        QTest::addColumn<QString>("window");
        for (const char* language : {"ja", "en"})
            for (const char* window : {"main", "options", "templates", "shortcut", "folders", "about"})
                QTest::addRow("%s %s", language, window)
                    << QString::fromLatin1(language) << QString::fromLatin1(window);
    }
    void everyTextFits() {
        QFETCH(QString, language);
        QFETCH(QString, window);
        Speak(language);
        const bool english = language == QLatin1String("en");
        VelGlobals::Reset();
        VelGlobals::TemplateList = {QByteArrayLiteral("http://www.|.jp/")};
        QStringList faults;
        const auto check = [&](QWidget* w) {
            w->show();
            QVERIFY(QTest::qWaitForWindowExposed(w));
            faults = TextFaults(w, english) + AcceleratorClashes(w->objectName(), Accelerators(w));
        };
        if (window == QLatin1String("main")) {
            TfrmMain frmMain(FDir.path());
            check(&frmMain);
            QStringList titles;
            for (QAction* title : frmMain.menuBar()->actions())
                titles << title->text();
            faults << AcceleratorClashes(QStringLiteral("menu bar"), titles);
            for (QMenu* menu : frmMain.menuBar()->findChildren<QMenu*>()) {
                // The template menu is filled as it opens.
                emit menu->aboutToShow();
                faults << TextFaults(menu, english) << AcceleratorClashes(menu->objectName(), Accelerators(menu));
            }
        } else if (window == QLatin1String("options")) {
            TfrmOption dialog(nullptr, FShell, QString());
            check(&dialog);
        } else if (window == QLatin1String("templates")) {
            QWidget owner;
            TfrmEditTemplate dialog(&owner);
            check(&dialog);
        } else if (window == QLatin1String("shortcut")) {
            TfrmMakeIS dialog(
                nullptr, [] { return QByteArrayLiteral("http://a/"); }, [](QWidget*, const QString&) {});
            check(&dialog);
        } else if (window == QLatin1String("about")) {
            TfrmAbout dialog(nullptr, FShell);
            check(&dialog);
        } else {
            TNelFolderDialog dialog(nullptr);
            dialog.SetFolder(FDir.path());
            QTimer::singleShot(10, qApp, [&] {
                QWidget* modal = QApplication::activeModalWidget();
                QVERIFY(modal);
                faults = TextFaults(modal, english) + AcceleratorClashes(modal->objectName(), Accelerators(modal));
                Named<QPushButton>(modal, "btnCancel")->click();
            });
            dialog.Execute();
        }
        QVERIFY2(faults.isEmpty(), qPrintable(faults.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
