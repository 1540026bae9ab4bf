#include "dialogs/frmSettings.h"

#include "core/Guarded.h"
#include "core/Log.h"
#include "core/TextHelpers.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace qzc {

namespace {

template <typename Widget> Widget* named(Widget* widget, const QString& name) {
    widget->setObjectName(name);
    return widget;
}

QString indexed(const char* name, int index) {
    return QStringLiteral("%1_%2").arg(QLatin1String(name)).arg(index);
}

void showState(QAbstractButton* button, const ControlState& state) {
    button->setChecked(state.value);
    button->setEnabled(state.enabled);
}

// Option buttons of one frame; a group that the editor leaves without a selection shows none.
template <std::size_t N>
void showOptions(QButtonGroup* group, const std::array<QRadioButton*, N>& buttons,
                 const std::array<ControlState, N>& states) {
    group->setExclusive(false);
    for (std::size_t i = 0; i < N; ++i) {
        if (buttons[i] != nullptr)
            showState(buttons[i], states[i]);
    }
    group->setExclusive(true);
}

template <std::size_t N>
void collectOptions(const std::array<QRadioButton*, N>& buttons, std::array<ControlState, N>& states) {
    for (std::size_t i = 0; i < N; ++i) {
        if (buttons[i] != nullptr)
            states[i].value = buttons[i]->isChecked();
    }
}

} // namespace

frmSettings::frmSettings(const GameSettingsEditor::Services& services, QWidget* parent)
    : ProgramDialog(HelpKey::Up, parent), editor_(services), log_(services.log) {
    setObjectName(QStringLiteral("frmSettings"));
    buildControls();
    connectHandlers();
    Form_Load();
}

frmSettings::~frmSettings() = default;

void frmSettings::buildControls() {
    auto checkBox = [](const QString& name, const QString& caption, QWidget* parent) {
        return named(new QCheckBox(caption, parent), name);
    };
    auto option = [](const QString& name, const QString& caption, QWidget* parent) {
        return named(new QRadioButton(caption, parent), name);
    };

    frameMovement = named(new QGroupBox(QStringLiteral("Movement"), this), QStringLiteral("frameMovement"));
    chkMovement[1] = checkBox(indexed("chkMovement", 1), QStringLiteral("Show go to info"), frameMovement);
    chkGameType = checkBox(QStringLiteral("chkGameType"), QStringLiteral("Individual"), frameMovement);
    auto* movementLayout = new QVBoxLayout(frameMovement);
    movementLayout->addWidget(chkMovement[1]);
    movementLayout->addWidget(chkGameType);

    frameAsk = named(new QGroupBox(QStringLiteral("Ask players for"), this), QStringLiteral("frameAsk"));
    auto* askLayout = new QVBoxLayout(frameAsk);
    chkAskGroup_ = new QButtonGroup(this);
    chkAskGroup_->setExclusive(false);
    const char* const askCaptions[] = {"PIN codes", "Player ID", "Lead",          "Deal",
                                       "Bidding",   "Play",      "Reconfirmation"};
    for (int i = 0; i < static_cast<int>(chkAsk.size()); ++i) {
        chkAsk[i] = checkBox(indexed("chkAsk", i), QString::fromLatin1(askCaptions[i]), frameAsk);
        chkAskGroup_->addButton(chkAsk[i], i);
        askLayout->addWidget(chkAsk[i]);
    }

    frameInput = named(new QGroupBox(QStringLiteral("Result as:"), this), QStringLiteral("frameInput"));
    auto* inputLayout = new QVBoxLayout(frameInput);
    optInputGroup_ = new QButtonGroup(this);
    const char* const inputCaptions[] = {"+/-/= (Eur standard)", "Total number of tricks (safest)",
                                         "Tricks made/minus tricks (US std)"};
    for (int i = 0; i < static_cast<int>(optInput.size()); ++i) {
        optInput[i] = option(indexed("optInput", i), QString::fromLatin1(inputCaptions[i]), frameInput);
        optInputGroup_->addButton(optInput[i], i);
        inputLayout->addWidget(optInput[i]);
    }

    frameScoring = named(new QGroupBox(QStringLiteral("Scoring"), this), QStringLiteral("frameScoring"));
    auto* scoringLayout = new QVBoxLayout(frameScoring);
    optScoringGroup_ = new QButtonGroup(this);
    optScoring[0] = option(indexed("optScoring", 0), QStringLiteral("IMP"), frameScoring);
    optScoring[2] = option(indexed("optScoring", 2), QStringLiteral("MP"), frameScoring);
    optScoringGroup_->addButton(optScoring[0], 0);
    optScoringGroup_->addButton(optScoring[2], 2);
    chkAcrossField =
        checkBox(QStringLiteral("chkAcrossField"), QStringLiteral("Across the field"), frameScoring);
    scoringLayout->addWidget(optScoring[0]);
    scoringLayout->addWidget(optScoring[2]);
    scoringLayout->addWidget(chkAcrossField);

    frameFeedback = named(new QGroupBox(QStringLiteral("Feedback"), this), QStringLiteral("frameFeedback"));
    auto* feedbackLayout = new QVBoxLayout(frameFeedback);
    chkFeedback = checkBox(QStringLiteral("chkFeedback"), QStringLiteral("Give feedback"), frameFeedback);
    feedbackLayout->addWidget(chkFeedback);
    optFeedbackGroup_ = new QButtonGroup(this);
    const char* const feedbackCaptions[] = {"Traveler/frequencies", "Traveler", "Frequencies"};
    for (int i = 0; i < static_cast<int>(optFeedback.size()); ++i) {
        optFeedback[i] =
            option(indexed("optFeedback", i), QString::fromLatin1(feedbackCaptions[i]), frameFeedback);
        optFeedbackGroup_->addButton(optFeedback[i], i);
        feedbackLayout->addWidget(optFeedback[i]);
    }
    chkIncludeDeal =
        checkBox(QStringLiteral("chkIncludeDeal"), QStringLiteral("Include deal"), frameFeedback);
    chkIncludeMakable =
        checkBox(QStringLiteral("chkIncludeMakable"), QStringLiteral("Include makable"), frameFeedback);
    feedbackLayout->addWidget(chkIncludeDeal);
    feedbackLayout->addWidget(chkIncludeMakable);
    auto* frameMakable = named(new QFrame(frameFeedback), QStringLiteral("frameMakable"));
    auto* makableLayout = new QVBoxLayout(frameMakable);
    Label3 = named(new QLabel(QStringLiteral("Show as:"), frameMakable), QStringLiteral("Label3"));
    makableLayout->addWidget(Label3);
    optMakableFormatGroup_ = new QButtonGroup(this);
    const char* const formatCaptions[] = {"Tricks", "Contracts"};
    for (int i = 0; i < static_cast<int>(optMakableFormat.size()); ++i) {
        optMakableFormat[i] =
            option(indexed("optMakableFormat", i), QString::fromLatin1(formatCaptions[i]), frameMakable);
        optMakableFormatGroup_->addButton(optMakableFormat[i], i);
        makableLayout->addWidget(optMakableFormat[i]);
    }
    feedbackLayout->addWidget(frameMakable);
    chkRanking = checkBox(QStringLiteral("chkRanking"), QStringLiteral("Show ranking"), frameFeedback);
    chkRankingTop10 =
        checkBox(QStringLiteral("chkRankingTop10"), QStringLiteral("Only top 10"), frameFeedback);
    chkRecap = checkBox(QStringLiteral("chkRecap"), QStringLiteral("Recap at the end"), frameFeedback);
    chkShowNames = checkBox(QStringLiteral("chkShowNames"), QStringLiteral("Show names"), frameFeedback);
    chkRoundSummary =
        checkBox(QStringLiteral("chkRoundSummary"), QStringLiteral("Show round summary"), frameFeedback);
    chkChangeResult = checkBox(QStringLiteral("chkChangeResult"),
                               QStringLiteral("Permit players to change results"), frameFeedback);
    chkAutoWebPublish = checkBox(QStringLiteral("chkAutoWebPublish"),
                                 QStringLiteral("Web publish automatically"), frameFeedback);
    for (QWidget* box : {chkRanking, chkRankingTop10, chkRecap, chkShowNames, chkRoundSummary,
                         chkChangeResult, chkAutoWebPublish})
        feedbackLayout->addWidget(box);

    chkPointtoDeclarer =
        checkBox(QStringLiteral("chkPointtoDeclarer"), QStringLiteral("Points related to declarer"), this);
    chkRotatedirection =
        checkBox(QStringLiteral("chkRotatedirection"), QStringLiteral("Rotate compass directions"), this);
    chkShowBoardMatrix =
        checkBox(QStringLiteral("chkShowBoardMatrix"), QStringLiteral("Show boards in matrix form"), this);
    chkOverrideDefault = checkBox(QStringLiteral("chkOverrideDefault"),
                                  QStringLiteral("Let scoring program override default settings"), this);
    Label1 = named(new QLabel(QStringLiteral("TD PIN:"), this), QStringLiteral("Label1"));
    txtTDPIN = named(new QLineEdit(this), QStringLiteral("txtTDPIN"));
    txtTDPIN->setMaxLength(4);
    OKButton = named(new QPushButton(QStringLiteral("Save"), this), QStringLiteral("OKButton"));
    CancelButton = named(new QPushButton(QStringLiteral("Cancel"), this), QStringLiteral("CancelButton"));
    cmdQuit = named(new QPushButton(QStringLiteral("Quit"), this), QStringLiteral("cmdQuit"));
    cmdQuit->setVisible(false);
    cmdHelp = named(new QToolButton(this), QStringLiteral("cmdHelp"));
    cmdHelp->setText(QStringLiteral("?"));
    OKButton->setAutoDefault(false);
    CancelButton->setAutoDefault(false);
    cmdQuit->setAutoDefault(false);

    auto* layout = new QGridLayout(this);
    layout->addWidget(frameMovement, 0, 0);
    layout->addWidget(frameAsk, 1, 0, 2, 1);
    layout->addWidget(frameInput, 0, 1);
    layout->addWidget(frameScoring, 1, 1);
    layout->addWidget(frameFeedback, 0, 2, 4, 1);
    auto* options = new QVBoxLayout;
    for (QWidget* box : {chkPointtoDeclarer, chkRotatedirection, chkShowBoardMatrix, chkOverrideDefault})
        options->addWidget(box);
    layout->addLayout(options, 2, 1);
    auto* pinRow = new QHBoxLayout;
    pinRow->addWidget(Label1);
    pinRow->addWidget(txtTDPIN);
    pinRow->addStretch();
    layout->addLayout(pinRow, 3, 0, 1, 2);
    // Quit stands where Cancel stands; only one of the two is shown.
    auto* buttons = new QGridLayout;
    buttons->addWidget(cmdHelp, 0, 0);
    buttons->setColumnStretch(1, 1);
    buttons->addWidget(OKButton, 0, 2);
    buttons->addWidget(CancelButton, 0, 3);
    buttons->addWidget(cmdQuit, 0, 3);
    layout->addLayout(buttons, 4, 0, 1, 3);
}

void frmSettings::connectHandlers() {
    for (QCheckBox* box : {chkMovement[1], chkGameType, chkAcrossField, chkRankingTop10, chkRecap,
                           chkShowNames, chkChangeResult, chkAutoWebPublish, chkPointtoDeclarer,
                           chkRotatedirection, chkShowBoardMatrix, chkOverrideDefault})
        connect(box, &QCheckBox::clicked, this, &frmSettings::anyControl_Click);
    for (QButtonGroup* group : {optInputGroup_, optFeedbackGroup_, optMakableFormatGroup_})
        connect(group, &QButtonGroup::idClicked, this, &frmSettings::anyControl_Click);
    connect(chkAskGroup_, &QButtonGroup::idClicked, this, &frmSettings::chkAsk_Click);
    connect(optScoringGroup_, &QButtonGroup::idClicked, this, &frmSettings::optScoring_Click);
    connect(chkRanking, &QCheckBox::clicked, this, &frmSettings::chkRanking_Click);
    connect(chkRoundSummary, &QCheckBox::clicked, this, &frmSettings::chkRoundSummary_Click);
    connect(chkFeedback, &QCheckBox::clicked, this, &frmSettings::chkFeedback_Click);
    connect(chkIncludeDeal, &QCheckBox::clicked, this, &frmSettings::chkIncludeDeal_Click);
    connect(chkIncludeMakable, &QCheckBox::clicked, this, &frmSettings::chkIncludeMakable_Click);
    connect(txtTDPIN, &QLineEdit::textEdited, this, &frmSettings::txtTDPIN_Change);
    connect(OKButton, &QPushButton::clicked, this, &frmSettings::OKButton_Click);
    connect(CancelButton, &QPushButton::clicked, this, &frmSettings::CancelButton_Click);
    connect(cmdQuit, &QPushButton::clicked, this, &frmSettings::cmdQuit_Click);
    connect(cmdHelp, &QToolButton::clicked, this, &frmSettings::cmdHelp_Click);
}

void frmSettings::Form_Load() {
    guarded(log_, QStringLiteral("frmSettings - Form_Load"), [this] {
        editor_.Form_Load();
        showControls();
    });
}

void frmSettings::offerQuitInsteadOfCancel() {
    CancelButton->setVisible(false);
    cmdQuit->setVisible(true);
}

void frmSettings::collectControls() {
    SettingsControls& c = editor_.controls();
    c.chkMovement[1].value = chkMovement[1]->isChecked();
    c.chkGameType.value = chkGameType->isChecked();
    for (std::size_t i = 0; i < chkAsk.size(); ++i)
        c.chkAsk[i].value = chkAsk[i]->isChecked();
    collectOptions(optInput, c.optInput);
    collectOptions(optScoring, c.optScoring);
    c.chkAcrossField.value = chkAcrossField->isChecked();
    c.chkFeedback.value = chkFeedback->isChecked();
    collectOptions(optFeedback, c.optFeedback);
    c.chkIncludeDeal.value = chkIncludeDeal->isChecked();
    c.chkIncludeMakable.value = chkIncludeMakable->isChecked();
    collectOptions(optMakableFormat, c.optMakableFormat);
    c.chkRanking.value = chkRanking->isChecked();
    c.chkRankingTop10.value = chkRankingTop10->isChecked();
    c.chkRecap.value = chkRecap->isChecked();
    c.chkShowNames.value = chkShowNames->isChecked();
    c.chkRoundSummary.value = chkRoundSummary->isChecked();
    c.chkChangeResult.value = chkChangeResult->isChecked();
    c.chkAutoWebPublish.value = chkAutoWebPublish->isChecked();
    c.chkPointtoDeclarer.value = chkPointtoDeclarer->isChecked();
    c.chkRotatedirection.value = chkRotatedirection->isChecked();
    c.chkShowBoardMatrix.value = chkShowBoardMatrix->isChecked();
    c.chkOverrideDefault.value = chkOverrideDefault->isChecked();
    c.txtTDPIN = txtTDPIN->text();
}

void frmSettings::showControls() {
    const SettingsControls& c = editor_.controls();
    setWindowTitle(c.caption);
    showState(chkMovement[1], c.chkMovement[1]);
    showState(chkGameType, c.chkGameType);
    for (std::size_t i = 0; i < chkAsk.size(); ++i)
        showState(chkAsk[i], c.chkAsk[i]);
    showOptions(optInputGroup_, optInput, c.optInput);
    showOptions(optScoringGroup_, optScoring, c.optScoring);
    showState(chkAcrossField, c.chkAcrossField);
    showState(chkFeedback, c.chkFeedback);
    showOptions(optFeedbackGroup_, optFeedback, c.optFeedback);
    showState(chkIncludeDeal, c.chkIncludeDeal);
    showState(chkIncludeMakable, c.chkIncludeMakable);
    showOptions(optMakableFormatGroup_, optMakableFormat, c.optMakableFormat);
    showState(chkRanking, c.chkRanking);
    showState(chkRankingTop10, c.chkRankingTop10);
    showState(chkRecap, c.chkRecap);
    showState(chkShowNames, c.chkShowNames);
    showState(chkRoundSummary, c.chkRoundSummary);
    showState(chkChangeResult, c.chkChangeResult);
    showState(chkAutoWebPublish, c.chkAutoWebPublish);
    showState(chkPointtoDeclarer, c.chkPointtoDeclarer);
    showState(chkRotatedirection, c.chkRotatedirection);
    showState(chkShowBoardMatrix, c.chkShowBoardMatrix);
    showState(chkOverrideDefault, c.chkOverrideDefault);
    chkOverrideDefault->setVisible(c.chkOverrideDefaultVisible);
    if (txtTDPIN->text() != c.txtTDPIN)
        txtTDPIN->setText(c.txtTDPIN);
}

template <typename Step> void frmSettings::handle(const QString& source, Step&& step) {
    guarded(log_, QStringLiteral("frmSettings - ") + source, [this, &step] {
        collectControls();
        step();
        showControls();
    });
}

void frmSettings::anyControl_Click() {
    handle(QStringLiteral("Click"), [] {});
}

void frmSettings::chkAsk_Click(int index) {
    handle(QStringLiteral("chkAsk_Click"), [this, index] { editor_.chkAsk_Click(index); });
}

void frmSettings::chkRanking_Click() {
    handle(QStringLiteral("chkRanking_Click"), [this] { editor_.chkRanking_Click(); });
}

void frmSettings::chkRoundSummary_Click() {
    handle(QStringLiteral("chkRoundSummary_Click"), [this] { editor_.chkRoundSummary_Click(); });
}

void frmSettings::optScoring_Click(int index) {
    handle(QStringLiteral("optScoring_Click"), [this, index] { editor_.optScoring_Click(index); });
}

void frmSettings::chkFeedback_Click() {
    handle(QStringLiteral("chkFeedback_Click"), [this] { editor_.chkFeedback_Click(); });
}

void frmSettings::chkIncludeDeal_Click() {
    handle(QStringLiteral("chkIncludeDeal_Click"), [this] { editor_.chkIncludeDeal_Click(); });
}

void frmSettings::chkIncludeMakable_Click() {
    handle(QStringLiteral("chkIncludeMakable_Click"), [this] { editor_.chkIncludeMakable_Click(); });
}

void frmSettings::txtTDPIN_Change() {
    const NumericText kept = NumericOnlyText(txtTDPIN->text(), txtTDPIN->cursorPosition());
    if (kept.text != txtTDPIN->text()) {
        txtTDPIN->setText(kept.text);
        txtTDPIN->setCursorPosition(kept.caret);
    }
    handle(QStringLiteral("txtTDPIN_Change"), [] {});
}

void frmSettings::OKButton_Click() {
    bool close = false;
    handle(QStringLiteral("OKButton_Click"), [this, &close] { close = editor_.OKButton_Click(); });
    if (close)
        QDialog::accept();
}

void frmSettings::CancelButton_Click() {
    bool close = false;
    handle(QStringLiteral("CancelButton_Click"), [this, &close] { close = editor_.CancelButton_Click(); });
    if (close)
        QDialog::reject();
}

void frmSettings::reject() {
    // The first dialog of a new event closes by Save or Quit only.
    if (!CancelButton->isHidden())
        CancelButton_Click();
}

void frmSettings::cmdQuit_Click() {
    handle(QStringLiteral("cmdQuit_Click"), [this] { editor_.cmdQuit_Click(); });
    QDialog::reject();
}

void frmSettings::cmdHelp_Click() {
    handle(QStringLiteral("cmdHelp_Click"), [this] { editor_.cmdHelp_Click(); });
}

} // namespace qzc
