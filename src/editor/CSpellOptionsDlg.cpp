#include "editor/CSpellOptionsDlg.h"

#include "platform/SpellChecker.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QListWidget>
#include <QVBoxLayout>

namespace {

QCheckBox* Box(const QString& text, const QString& tip, const char* name, bool on, QWidget* parent)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    box->setAccessibleName(text);
    box->setToolTip(tip);
    box->setChecked(on);
    return box;
}

} // namespace

CSpellOptionsDlg::CSpellOptionsDlg(SpellChecker& checker, QWidget* parent)
    : QDialog(parent)
    , m_checker(checker)
{
    setObjectName(QStringLiteral("spellOptionsDlg"));
    setWindowTitle(QStringLiteral("Spelling Options"));
    setAccessibleName(windowTitle());
    const SpellOptions options = checker.Options();
    const QStringList languages = checker.AvailableLanguages();

    m_language = new QComboBox(this);
    m_language->setObjectName(QStringLiteral("spellLanguage"));
    m_language->setAccessibleName(QStringLiteral("Language"));
    m_language->setToolTip(QStringLiteral("The dictionary words are checked against"));
    m_language->addItems(languages);
    m_language->setCurrentText(options.languages.value(0));
    m_digits
        = Box(QStringLiteral("Ignore words with digits"), QStringLiteral("Words such as B52 are not checked"),
              "ignoreDigits", options.ignoreWordsWithDigits, this);
    m_capitals = Box(QStringLiteral("Ignore words in capitals"),
                     QStringLiteral("Words such as NASA are not checked"), "ignoreCapitals",
                     options.ignoreCapitals, this);
    m_several = Box(QStringLiteral("Check against several dictionaries"),
                    QStringLiteral("A word is right when any of the ticked dictionaries knows it"),
                    "severalDictionaries", options.severalDictionaries, this);
    m_extra = new QListWidget(this);
    m_extra->setObjectName(QStringLiteral("extraDictionaries"));
    m_extra->setAccessibleName(QStringLiteral("Further dictionaries"));
    m_extra->setToolTip(QStringLiteral("Tick the dictionaries checked besides the language"));
    for (const QString& name : languages) {
        auto* item = new QListWidgetItem(name, m_extra);
        item->setFlags(item->flags() | Qt::ItemIsUserCheckable);
        item->setCheckState(options.languages.mid(1).contains(name) ? Qt::Checked : Qt::Unchecked);
    }
    connect(m_several, &QCheckBox::toggled, this, &CSpellOptionsDlg::EnableExtra);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    for (QAbstractButton* button : buttons->buttons()) {
        button->setAccessibleName(button->text().remove(u'&'));
        button->setToolTip(button->accessibleName());
    }
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Language:"), m_language);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_digits);
    layout->addWidget(m_capitals);
    layout->addWidget(m_several);
    layout->addWidget(m_extra);
    layout->addWidget(buttons);
    EnableExtra();
}

void CSpellOptionsDlg::EnableExtra()
{
    m_extra->setEnabled(m_several->isChecked());
}

void CSpellOptionsDlg::accept()
{
    SpellOptions options;
    options.languages = {m_language->currentText()};
    for (int i = 0; i < m_extra->count(); ++i) {
        const QListWidgetItem* item = m_extra->item(i);
        if (item->checkState() == Qt::Checked && !options.languages.contains(item->text()))
            options.languages << item->text();
    }
    if (options.languages.first().isEmpty())
        options.languages = m_checker.Options().languages;
    options.ignoreWordsWithDigits = m_digits->isChecked();
    options.ignoreCapitals = m_capitals->isChecked();
    options.severalDictionaries = m_several->isChecked();
    m_checker.SetOptions(options);
    QDialog::accept();
}
