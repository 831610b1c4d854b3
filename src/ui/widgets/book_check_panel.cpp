#include "ui/widgets/book_check_panel.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QStyle>
#include <QToolButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "ui/editor/code_editor.h"
#include "ui/settings/converter_texts.h"
#include "ui/settings/message_texts.h"

namespace vellumar {

namespace {

enum Column { LineColumn, KindColumn, MessageColumn };

QString countOf(int count, MessageId one, MessageId many)
{
    return count == 1 ? message(one) : message(many, {QString::number(count)});
}

}  // namespace

BookCheckPanel::BookCheckPanel(CodeEditor& editor, std::function<std::filesystem::path()> schema, QWidget* parent)
    : QWidget(parent), m_editor(editor), m_schema(std::move(schema))
{
    setObjectName(QStringLiteral("CheckPanel"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 2, 0, 0);
    layout->setSpacing(2);

    auto* header = new QHBoxLayout;
    m_summary = new QLabel(this);
    m_summary->setTextFormat(Qt::PlainText);
    header->addWidget(m_summary, 1);
    auto* close = new QToolButton(this);
    m_closeButton = close;
    close->setAutoRaise(true);
    close->setIcon(style()->standardIcon(QStyle::SP_TitleBarCloseButton, nullptr, this));
    close->setFocusPolicy(Qt::TabFocus);
    connect(close, &QToolButton::clicked, this, [this] {
        hide();
        m_editor.setFocus(Qt::OtherFocusReason);
    });
    header->addWidget(close);
    layout->addLayout(header);

    m_list = new QTreeWidget(this);
    m_list->setObjectName(QStringLiteral("ProblemList"));
    m_list->setColumnCount(MessageColumn + 1);
    m_list->setRootIsDecorated(false);
    m_list->setUniformRowHeights(true);
    m_list->setAllColumnsShowFocus(true);
    m_list->header()->setSectionResizeMode(LineColumn, QHeaderView::ResizeToContents);
    m_list->header()->setSectionResizeMode(KindColumn, QHeaderView::ResizeToContents);
    m_list->header()->setStretchLastSection(true);
    m_list->setWordWrap(false);
    layout->addWidget(m_list, 1);
    connect(m_list, &QTreeWidget::itemActivated, this, &BookCheckPanel::activate);
    // Another language words the panel anew, the problems listed included.
    connect(&messageWording(), &MessageWording::changed, this, &BookCheckPanel::showWording);
    showWording();
    hide();
}

void BookCheckPanel::check()
{
    QApplication::setOverrideCursor(Qt::WaitCursor);
    const BookCheckResult result = checkFb2Book(m_bookBytes ? m_bookBytes() : m_editor.editor().text(), m_schema());
    QApplication::restoreOverrideCursor();
    showResult(result);
    // With problems listed, the arrow keys and Enter go through them; with none, the user
    // goes on typing.
    if (m_list->topLevelItemCount() > 0)
        m_list->setFocus(Qt::OtherFocusReason);
    else
        m_editor.setFocus(Qt::OtherFocusReason);
}

void BookCheckPanel::showResult(const BookCheckResult& result)
{
    m_result = result;
    listProblems();
    show();
    if (m_list->topLevelItemCount() > 0) m_list->setCurrentItem(m_list->topLevelItem(0));
}

void BookCheckPanel::showWording()
{
    m_closeButton->setToolTip(messageText(MessageId::CheckCloseList));
    m_list->setHeaderLabels(
        {messageText(MessageId::CheckLine), messageText(MessageId::CheckKind), messageText(MessageId::CheckProblem)});
    if (!m_result) return;
    const int current = m_list->currentIndex().row();
    listProblems();
    if (current >= 0 && current < m_list->topLevelItemCount()) m_list->setCurrentItem(m_list->topLevelItem(current));
}

void BookCheckPanel::listProblems()
{
    const BookCheckResult& result = *m_result;
    m_list->clear();
    int errors = 0;
    int warnings = 0;
    QStyle* look = style();
    for (const BookProblem& problem : result.problems) {
        const bool isError = problem.severity == ProblemSeverity::Error;
        ++(isError ? errors : warnings);
        auto* item = new QTreeWidgetItem(m_list);
        item->setText(LineColumn, problem.line > 0 ? QString::number(problem.line) : QString());
        item->setData(LineColumn, Qt::UserRole, problem.line);
        item->setText(KindColumn, messageText(isError ? MessageId::CheckError : MessageId::CheckWarning));
        item->setIcon(KindColumn, look->standardIcon(isError ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning,
                                                     nullptr, this));
        const QString text = converterText(std::string_view(problem.message));
        item->setText(MessageColumn, text);
        item->setToolTip(MessageColumn, text);
    }
    QString counts;
    if (errors > 0 || warnings > 0)
        counts =
            message(MessageId::CheckCounts, {countOf(errors, MessageId::CheckOneError, MessageId::CheckErrors),
                                             countOf(warnings, MessageId::CheckOneWarning, MessageId::CheckWarnings)});
    MessageId summary = MessageId::CheckValid;
    if (!result.wellFormed)
        summary = MessageId::CheckNotWellFormed;
    else if (!result.schemaChecked)
        summary = MessageId::CheckSchemaNotUsed;
    else if (errors > 0)
        summary = MessageId::CheckInvalid;
    else if (warnings > 0)
        summary = MessageId::CheckValidWithWarnings;
    m_summary->setText(message(summary, {counts}));
}

QString BookCheckPanel::summary() const
{
    return m_summary->text();
}

void BookCheckPanel::goToProblem(int index)
{
    activate(m_list->topLevelItem(index));
}

void BookCheckPanel::activate(QTreeWidgetItem* item)
{
    if (!item) return;
    const int line = item->data(LineColumn, Qt::UserRole).toInt();
    if (line <= 0) return;
    // Moving the caret scrolls to it. (Asking the widget to make the line visible would first
    // wrap every line of a large text above it, taking seconds.)
    m_editor.setCursorPosition(line - 1, 0);
    m_editor.setFocus(Qt::OtherFocusReason);
}

}  // namespace vellumar
