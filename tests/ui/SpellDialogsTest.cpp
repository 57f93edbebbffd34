// The spelling options dialog and the user dictionary dialog change the checker and its
// files.
#include "editor/CSpellOptionsDlg.h"
#include "editor/CUserDictionaryDlg.h"
#include "platform/SpellChecker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>

class SpellDialogsTest : public QObject
{
    Q_OBJECT

private slots:
    void optionsDialogAppliesAndStoresTheChoices()
    {
        QTemporaryDir dir;
        SpellChecker checker(dir.path());
        if (checker.LoadedDictionaries() == 0)
            QSKIP("no en_US dictionary installed");
        CSpellOptionsDlg dialog(checker);
        QVERIFY(dialog.findChild<QComboBox*>(QStringLiteral("spellLanguage"))->count() > 0);
        auto* extra = dialog.findChild<QListWidget*>(QStringLiteral("extraDictionaries"));
        QVERIFY(!extra->isEnabled());
        dialog.findChild<QCheckBox*>(QStringLiteral("ignoreDigits"))->click();
        dialog.findChild<QCheckBox*>(QStringLiteral("severalDictionaries"))->click();
        QVERIFY(extra->isEnabled());
        dialog.accept();
        QVERIFY(!checker.Options().ignoreWordsWithDigits);
        QVERIFY(checker.Options().severalDictionaries);
        QVERIFY(!SpellChecker(dir.path()).Options().ignoreWordsWithDigits);
        QCOMPARE(checker.Misspelled(QStringLiteral("Xq9z")).size(), 1);
    }

    void dictionaryDialogListsAddsAndRemovesWords()
    {
        QTemporaryDir dir;
        SpellChecker checker(dir.path());
        QVERIFY(checker.AddToUserDictionary(QStringLiteral("zebrafoo")));
        CUserDictionaryDlg dialog(checker);
        auto* words = dialog.findChild<QListWidget*>(QStringLiteral("dictionaryWords"));
        QCOMPARE(words->count(), 1);
        dialog.findChild<QLineEdit*>(QStringLiteral("dictionaryWord"))->setText(QStringLiteral("Abacor"));
        dialog.AddWord();
        QCOMPARE(words->count(), 2);
        QCOMPARE(words->item(0)->text(), QStringLiteral("Abacor"));
        words->setCurrentRow(1);
        dialog.RemoveWord();
        QCOMPARE(SpellChecker(dir.path()).UserWords(), QStringList {QStringLiteral("Abacor")});
    }
};

QTEST_MAIN(SpellDialogsTest)
#include "SpellDialogsTest.moc"
