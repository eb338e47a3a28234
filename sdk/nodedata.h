#pragma once

#include <QObject>
#include <QPointer>
#include <QString>

// The host's test node a viewer window belongs to: its dotted test text and
// the workspace object holding it (owned by the host, may be none).
struct nodeData
{
    QString text;
    QPointer<QObject> workspace;
};
