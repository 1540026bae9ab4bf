#include "dialogs/frmMsg.h"

#include "core/Config.h"
#include "dialogs/HelpButton.h"
#include "platform/Twips.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace qzc {

namespace {

constexpr int kIconSize = 32;
const char* const kTag = "Tag";

} // namespace

frmMsg::frmMsg(Help* help, QWidget* parent) : ProgramDialog(HelpKey::Down, parent), help_(help) {
    setObjectName(QStringLiteral("frmMsg"));

    labMsg = new QLabel(this);
    labMsg->setObjectName(QStringLiteral("labMsg"));
    labMsg->setTextFormat(Qt::PlainText);
    for (std::size_t i = 0; i < picStore.size(); ++i) {
        picStore[i] = new QLabel(this);
        picStore[i]->setObjectName(QStringLiteral("picStore_%1").arg(i));
        picStore[i]->hide();
    }
    picStore[1]->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxQuestion).pixmap(kIconSize));
    picStore[2]->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(kIconSize));

    const std::array<QString, 2> designed = {QStringLiteral("OK"), QStringLiteral("Cancel")};
    for (std::size_t i = 0; i < cmdButton.size(); ++i) {
        cmdButton[i] = new QPushButton(designed[i], this);
        cmdButton[i]->setObjectName(QStringLiteral("cmdButton_%1").arg(i));
        connect(cmdButton[i], &QPushButton::clicked, this,
                [this, i] { cmdButton_Click(static_cast<int>(i)); });
    }
    cmdHelp = makeHelpButton(this, -1);
    cmdHelp->setProperty(kTag, QString());
    connect(cmdHelp, &QPushButton::clicked, this, &frmMsg::cmdHelp_Click);

    auto* text = new QHBoxLayout;
    text->addWidget(picStore[0], 0, Qt::AlignTop);
    text->addWidget(labMsg, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(cmdButton[0]);
    buttons->addWidget(cmdButton[1]);
    buttons->addWidget(cmdHelp);
    buttons->addStretch(1);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(text);
    layout->addLayout(buttons);
}

void frmMsg::Form_Load() {
    setWindowTitle(Config::appTitle);
}

void frmMsg::prepare(const MessageBox::Request& request) {
    if (!request.caption.isEmpty())
        setWindowTitle(request.caption);

    // The label takes the text on one line unless that is wider than the wrap width.
    QString text = request.text.trimmed();
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    labMsg->setText(text);
    const int wrapWidth = twipsToPixels(wrapWidthTwips, logicalDpiX());
    const int oneLine = labMsg->fontMetrics().boundingRect(QRect(), 0, text).width();
    labMsg->setWordWrap(oneLine > wrapWidth);
    if (oneLine > wrapWidth)
        labMsg->setFixedWidth(wrapWidth);
    switch (request.labelStyle) {
    case 1:
        labMsg->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        break;
    case 2:
        labMsg->setAlignment(Qt::AlignHCenter | Qt::AlignVCenter);
        break;
    default:
        labMsg->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
        break;
    }

    const qint16 icon = request.style & iconBits;
    const QLabel* image = icon == exclamationIcon ? picStore[2]
                          : icon == questionIcon  ? picStore[1]
                                                  : nullptr;
    picStore[0]->setPixmap(image != nullptr ? image->pixmap() : QPixmap());
    picStore[0]->setVisible(image != nullptr);

    cmdHelp->setVisible(request.helpTopic >= 0);
    cmdHelp->setProperty(kTag, request.helpTopic >= 0 ? QString::number(request.helpTopic) : QString());
    cmdButton[1]->setVisible(request.secondButton);

    // Each rule overrides the earlier ones for the first button.
    if ((request.style & yesNoBit) == yesNoBit) {
        cmdButton[0]->setText(QStringLiteral("Yes"));
        cmdButton[1]->setText(QStringLiteral("No"));
    }
    if ((request.style & yesBits) == yesBits)
        cmdButton[0]->setText(QStringLiteral("Yes"));
    if ((request.style & okBit) == okBit)
        cmdButton[0]->setText(QStringLiteral("OK"));

    secondFirst_ = (request.style & secondButtonFirst) == secondButtonFirst && request.secondButton;
    if (secondFirst_) {
        setTabOrder(cmdButton[1], cmdButton[0]);
        setTabOrder(cmdButton[0], cmdHelp);
    }
    QPushButton* focus = secondFirst_ ? cmdButton[1] : cmdButton[0];
    focus->setDefault(true);
    focus->setFocus();

    const QSize hint = sizeHint();
    setFixedSize(qMax(hint.width(), twipsToPixels(minimumWidthTwips, logicalDpiX())), hint.height());
}

bool frmMsg::firstButtonPressed() const {
    return !cmdButton[0]->property(kTag).toString().isEmpty();
}

void frmMsg::cmdButton_Click(int index) {
    if (index == 0)
        cmdButton[0]->setProperty(kTag, QStringLiteral("ok"));
    done(index == 0 ? Accepted : Rejected);
}

void frmMsg::cmdHelp_Click() {
    openHelpTopic(help_, helpTopicOf(cmdHelp));
    QPushButton* first = secondFirst_ ? cmdButton[1] : cmdButton[0];
    QPushButton* other = secondFirst_ ? cmdButton[0] : cmdButton[1];
    if (!first->isHidden())
        first->setFocus();
    else if (!other->isHidden())
        other->setFocus();
}

void frmMsg::reject() {
    done(Rejected);
}

} // namespace qzc
