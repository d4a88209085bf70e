#include "VoiceDialog.h"

#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSlider>
#include <QVBoxLayout>
#include <algorithm>

namespace parlanza {

VoiceDialog::VoiceDialog(const QList<SpeechVoice> &voices, const QString &defaultVoice,
                         const VoiceChoice &current, QWidget *parent)
    : QDialog(parent), m_defaultVoice(defaultVoice)
{
    setObjectName(QStringLiteral("vozDeLectura"));
    setWindowTitle(QStringLiteral("Voz de lectura"));

    m_voices = new QListWidget(this);
    m_voices->setObjectName(QStringLiteral("voces"));
    m_voices->setAccessibleName(QStringLiteral("Voz"));
    int widest = 0;
    for (const SpeechVoice &voice : voices) {
        auto *item = new QListWidgetItem(voice.name, m_voices);
        item->setToolTip(voice.language());
        widest = std::max(widest, m_voices->fontMetrics().horizontalAdvance(voice.name));
    }
    // Wide enough for the names, without a scroll bar across, up to a reasonable width.
    m_voices->setMinimumWidth(std::min(widest + 2 * m_voices->frameWidth() + 40, 480));
    m_rate = countSlider("velocidad", QStringLiteral("Velocidad"));
    m_pitch = countSlider("tono", QStringLiteral("Tono"));
    m_pause = new QDoubleSpinBox(this);
    m_pause->setObjectName(QStringLiteral("pausa"));
    m_pause->setAccessibleName(QStringLiteral("Pausa entre premisas"));
    m_pause->setRange(VoiceChoice::kShortestPauseMs / 1000.0, VoiceChoice::kLongestPauseMs / 1000.0);
    m_pause->setDecimals(2);
    m_pause->setSingleStep(0.1);
    m_pause->setSuffix(QStringLiteral(" s"));
    m_pause->setLocale(QLocale(QLocale::Spanish, QLocale::Spain)); // "0,40 s", as the user writes it
    m_problem = new QLabel(this);
    m_problem->setObjectName(QStringLiteral("problema"));
    m_problem->setWordWrap(true);
    m_problem->hide();

    auto *form = new QFormLayout;
    const auto labelled = [&](const QString &caption, QWidget *control, QWidget *shown) {
        auto *label = new QLabel(caption, this);
        label->setBuddy(control);
        form->addRow(label, shown);
    };
    labelled(QStringLiteral("&Voz:"), m_voices, m_voices);
    for (QSlider *slider : {m_rate, m_pitch}) {
        auto *row = new QWidget(this);
        auto *line = new QHBoxLayout(row);
        line->setContentsMargins(0, 0, 0, 0);
        auto *value = new QLabel(row);
        value->setMinimumWidth(value->fontMetrics().horizontalAdvance(QStringLiteral("-100")));
        value->setNum(slider->value());
        connect(slider, &QSlider::valueChanged, value, [value](int count) { value->setNum(count); });
        slider->setParent(row);
        line->addWidget(slider);
        line->addWidget(value);
        labelled(slider == m_rate ? QStringLiteral("V&elocidad:") : QStringLiteral("&Tono:"), slider, row);
    }
    labelled(QStringLiteral("&Pausa entre premisas:"), m_pause, m_pause);

    const auto button = [this](const char *name, const QString &caption) {
        auto *pushButton = new QPushButton(caption, this);
        pushButton->setObjectName(QString::fromLatin1(name));
        pushButton->setAutoDefault(false);
        return pushButton;
    };
    QPushButton *tryButton = button("probar", QStringLiteral("P&robar"));
    QPushButton *origin = button("valoresDeOrigen", QStringLiteral("Valores de &origen"));
    QPushButton *accept = button("aceptar", QStringLiteral("Aceptar"));
    QPushButton *cancel = button("cancelar", QStringLiteral("Cancelar"));
    accept->setDefault(true);
    connect(tryButton, &QPushButton::clicked, this, [this] { emit tryOut(choice()); });
    connect(origin, &QPushButton::clicked, this, [this] { showChoice(VoiceChoice()); });
    connect(accept, &QPushButton::clicked, this, [this] { emit chosen(choice()); });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    auto *buttons = new QHBoxLayout;
    buttons->addWidget(tryButton);
    buttons->addWidget(origin);
    buttons->addStretch();
    buttons->addWidget(accept);
    buttons->addWidget(cancel);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_problem);
    layout->addLayout(buttons);
    showChoice(current);
    m_voices->setFocus();
}

QSlider *VoiceDialog::countSlider(const char *name, const QString &caption)
{
    auto *slider = new QSlider(Qt::Horizontal, this);
    slider->setObjectName(QString::fromLatin1(name));
    slider->setAccessibleName(caption);
    slider->setRange(VoiceChoice::kLowest, VoiceChoice::kHighest);
    slider->setPageStep(10);
    slider->setTickPosition(QSlider::TicksBelow);
    slider->setTickInterval(50);
    return slider;
}

VoiceChoice VoiceDialog::choice() const
{
    VoiceChoice choice;
    const QListWidgetItem *voice = m_voices->currentItem();
    choice.voice = voice && voice->text() != m_defaultVoice ? voice->text() : QString();
    choice.rate = m_rate->value();
    choice.pitch = m_pitch->value();
    choice.pauseMs = qRound(m_pause->value() * 1000);
    return choice;
}

void VoiceDialog::showChoice(const VoiceChoice &choice)
{
    // A voice no longer offered shows the default one, which is the voice that reads.
    const QString shown = choice.voice.isEmpty() ? m_defaultVoice : choice.voice;
    QList<QListWidgetItem *> found = m_voices->findItems(shown, Qt::MatchExactly);
    if (found.isEmpty())
        found = m_voices->findItems(m_defaultVoice, Qt::MatchExactly);
    m_voices->setCurrentItem(found.isEmpty() ? nullptr : found.constFirst());
    if (!found.isEmpty())
        m_voices->scrollToItem(found.constFirst());
    m_rate->setValue(choice.rate);
    m_pitch->setValue(choice.pitch);
    m_pause->setValue(choice.pauseMs / 1000.0);
}

void VoiceDialog::showProblem(const QString &text)
{
    m_problem->setText(text);
    m_problem->setVisible(!text.isEmpty());
}

QStringList VoiceDialog::samplePhrases()
{
    return {QStringLiteral("Señoras y señores:"),
            QStringLiteral("así suena la voz que leerá sus discursos.")};
}

} // namespace parlanza
