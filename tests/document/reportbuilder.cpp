#include "reportbuilder.h"

#include "korvatreporter/data/qareporterdata.h"
#include "rendoc/ditems.h"

#include <algorithm>

ReportBuilder::ReportBuilder(const QString &documentName)
    : m_record(std::make_unique<QAReporterData>())
{
    auto *root = new QAReporterNode;
    m_tree = new QAReporterDataTree(root);
    m_record->dataTree = m_tree;
    m_document = new DDocument(QStringLiteral("Title"), documentName);
    m_record->document = m_document;
    // The root waits too; the document is the report's first item.
    root->startItem = m_document;
    m_open.push_back(m_document);
    m_last.push_back(nullptr);
    m_nodes.push_back(root);
}

ReportBuilder::~ReportBuilder() = default;

DItem *ReportBuilder::add(DItem *item)
{
    DItemContainer *container = m_open.back();
    item->setParent(container);
    if (m_last.back())
        m_last.back()->setNext(item);
    else
        container->setChild(item);
    m_last.back() = item;
    for (QAReporterNode *node : m_waiting)
        node->startItem = item;
    m_waiting.clear();
    return item;
}

DItemContainer *ReportBuilder::open(DItemContainer *container)
{
    add(container);
    m_open.push_back(container);
    m_last.push_back(nullptr);
    return container;
}

void ReportBuilder::close()
{
    m_open.pop_back();
    m_last.pop_back();
}

DItem *ReportBuilder::text(const QString &text)
{
    DItemContainer *container = m_open.back();
    auto *item = new DText(text, container);
    if (m_last.back())
        m_last.back()->setNext(item);
    else
        container->setChild(item);
    m_last.back() = item;
    return item;
}

QAReporterNode *ReportBuilder::beginNode(const QString &name, const QString &type,
                                         const QString &state)
{
    auto *node = new QAReporterNode;
    node->id = QString::number(++m_counter);
    node->name = name;
    node->type = type;
    node->state = state;
    // The tree's cursor stays on the innermost open node: insert, then step
    // onto the new node.
    m_tree->insert(node);
    m_tree->toLastChild();
    m_nodes.push_back(node);
    m_waiting.push_back(node);
    return node;
}

void ReportBuilder::endNode()
{
    QAReporterNode *node = m_nodes.back();
    m_nodes.pop_back();
    m_tree->toParent();
    const auto waiting = std::find(m_waiting.begin(), m_waiting.end(), node);
    if (waiting != m_waiting.end())
        m_waiting.erase(waiting);
    else
        node->endItem = endPosition();
}

DItem *ReportBuilder::endPosition() const
{
    return m_last.back() ? m_last.back() : m_open.back();
}

std::unique_ptr<QAReporterData> ReportBuilder::take(const QString &fileName)
{
    m_record->fileName = fileName;
    // At the end of the report the reader's position is the document.
    m_tree->root()->endItem = m_document;
    return std::move(m_record);
}
