#include "editor/CUserDictionaryDlg.h"

#include "platform/SpellChecker.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

CUserDictionaryDlg::CUserDictionaryDlg(SpellChecker& checker, QWidget* parent)
    : QDialog(parent)
    , m_checker(checker)
{
    setObjectName(QStringLiteral("userDictionaryDlg"));
    setWindowTitle(QStringLiteral("User Dictionary"));
    setAccessibleName(windowTitle());
    auto* label = new QLabel(QStringLiteral("Word:"), this);
    m_word = new QLineEdit(this);
    m_word->setObjectName(QStringLiteral("dictionaryWord"));
    m_word->setAccessibleName(QStringLiteral("Word"));
    m_word->setToolTip(QStringLiteral("A word to add to the dictionary"));
    label->setBuddy(m_word);
    m_words = new QListWidget(this);
    m_words->setObjectName(QStringLiteral("dictionaryWords"));
    m_words->setAccessibleName(QStringLiteral("Words in the user dictionary"));
    m_words->setToolTip(QStringLiteral("The words you added"));
    QPushButton* add = Button(QStringLiteral("Add"), QStringLiteral("Add the word"), "addWord");
    QPushButton* remove
        = Button(QStringLiteral("Remove"), QStringLiteral("Remove the selected word"), "removeWord");
    QPushButton* close
        = Button(QStringLiteral("Close"), QStringLiteral("Close the dictionary"), "closeDictionary");
    connect(add, &QPushButton::clicked, this, &CUserDictionaryDlg::AddWord);
    connect(m_word, &QLineEdit::returnPressed, this, &CUserDictionaryDlg::AddWord);
    connect(remove, &QPushButton::clicked, this, &CUserDictionaryDlg::RemoveWord);
    connect(close, &QPushButton::clicked, this, &QDialog::accept);

    auto* entry = new QHBoxLayout;
    entry->addWidget(label);
    entry->addWidget(m_word, 1);
    entry->addWidget(add);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(remove);
    buttons->addStretch(1);
    buttons->addWidget(close);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(entry);
    layout->addWidget(m_words, 1);
    layout->addLayout(buttons);
    Fill();
}

QPushButton* CUserDictionaryDlg::Button(const QString& text, const QString& tip, const char* name)
{
    auto* button = new QPushButton(text, this);
    button->setObjectName(QLatin1String(name));
    button->setAccessibleName(text);
    button->setToolTip(tip);
    button->setAutoDefault(false);
    return button;
}

void CUserDictionaryDlg::Fill()
{
    QStringList words = m_checker.UserWords();
    words.sort(Qt::CaseInsensitive);
    m_words->clear();
    m_words->addItems(words);
}

void CUserDictionaryDlg::AddWord()
{
    if (m_checker.AddToUserDictionary(m_word->text())) {
        m_word->clear();
        Fill();
    }
}

void CUserDictionaryDlg::RemoveWord()
{
    const QListWidgetItem* item = m_words->currentItem();
    if (!item)
        return;
    m_checker.RemoveFromUserDictionary(item->text());
    Fill();
}
