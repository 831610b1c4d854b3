#include "ui/window/images_page.h"

#include <QPlainTextEdit>
#include <QToolBar>
#include <QVBoxLayout>

namespace vellumar {

namespace {

constexpr int kUpperAreaHeight = 137;

QPlainTextEdit* textBox(const char* name, QWidget* parent)
{
    auto* box = new QPlainTextEdit(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    return box;
}

}  // namespace

ImagesPageBoxes layOutImagesPage(QWidget& page, QToolBar* upperToolBar, QToolBar* lowerToolBar)
{
    auto* layout = new QVBoxLayout(&page);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    auto* upper = new QWidget(&page);
    upper->setFixedHeight(kUpperAreaHeight);
    auto* upperLayout = new QVBoxLayout(upper);
    upperLayout->setContentsMargins(0, 0, 0, 0);
    upperLayout->setSpacing(0);
    upperToolBar->setParent(upper);
    upperLayout->addWidget(upperToolBar);
    QPlainTextEdit* upperBox = textBox("Memo1", upper);
    upperBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    upperLayout->addWidget(upperBox);
    layout->addWidget(upper);

    auto* lower = new QWidget(&page);
    auto* lowerLayout = new QVBoxLayout(lower);
    lowerLayout->setContentsMargins(0, 0, 0, 0);
    lowerLayout->setSpacing(0);
    lowerToolBar->setParent(lower);
    lowerLayout->addWidget(lowerToolBar);
    QPlainTextEdit* lowerBox = textBox("Memo2", lower);
    lowerBox->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    lowerLayout->addWidget(lowerBox);
    layout->addWidget(lower, 1);
    return {upperBox, lowerBox};
}

}  // namespace vellumar
