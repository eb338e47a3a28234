#include "korvatreporter/window/qarnodetext.h"

#include "korvatreporter/window/qarfailuresmodel.h"
#include "korvatreporter/window/qartreemodel.h"

#include <QFileInfo>
#include <QStringList>

namespace {

// Markdown inline code that holds `text` whatever backticks it contains.
QString code(const QString &text)
{
    QString fence = QStringLiteral("`");
    while (text.contains(fence))
        fence += QLatin1Char('`');
    return fence + QLatin1Char(' ') + text + QLatin1Char(' ') + fence;
}

} // namespace

QString QARNodeText::path(const QARTreeModel &model, const QModelIndex &row)
{
    const QModelIndex first = row.siblingAtColumn(QARTreeModel::NameColumn);
    if (model.isFile(first))
        return QFileInfo(model.filePath(first)).fileName();
    QStringList names;
    for (QModelIndex at = first; at.isValid() && !model.isFile(at); at = at.parent()) {
        if (const QAReporterNode *node = model.node(at))
            names.prepend(node->name);
    }
    return names.join(QLatin1Char('/'));
}

QString QARNodeText::text(const QARTreeModel &model, const QModelIndex &row, Kind kind)
{
    const QModelIndex first = row.siblingAtColumn(QARTreeModel::NameColumn);
    if (!first.isValid() || first.model() != &model)
        return QString();
    const QAReporterNode *node = model.node(first);
    const auto *treeNode = static_cast<const QARFailuresModel::Node *>(first.internalPointer());
    switch (kind) {
    case Name:
        return node ? node->name : QFileInfo(model.filePath(first)).fileName();
    case Path:
        return path(model, first);
    case FailureMessage:
        return model.isFailed(first) ? QARFailuresModel::messageOf(treeNode) : QString();
    case Markdown:
        break;
    }
    QString text = QStringLiteral("**") + path(model, first) + QStringLiteral("**");
    if (node && !node->state.isEmpty())
        text += QStringLiteral(" — ") + node->state;
    text += QLatin1Char('\n');
    if (model.isFailed(first)) {
        const QString message = QARFailuresModel::messageOf(treeNode);
        if (!message.isEmpty())
            text += QStringLiteral("\n> ") + message + QLatin1Char('\n');
    }
    text += QLatin1Char('\n') + code(model.filePath(first)) + QLatin1Char('\n');
    return text;
}
