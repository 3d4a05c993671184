#pragma once

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <vector>

// The transcript of scripted prompts as JSON objects, and the events of one kind among them.
inline std::vector<QJsonObject> eventsOf(const QStringList& transcript, const QString& kind = QString()) {
    std::vector<QJsonObject> events;
    for (const QString& line : transcript) {
        const QJsonObject o = QJsonDocument::fromJson(line.toUtf8()).object();
        if (kind.isEmpty() || o.value(QStringLiteral("event")).toString() == kind) {
            events.push_back(o);
        }
    }
    return events;
}

// "show frmFiles", "message ...", "close frmFiles": one short line per event, for comparing sequences.
inline QStringList eventSummary(const QStringList& transcript) {
    QStringList out;
    for (const QJsonObject& o : eventsOf(transcript)) {
        const QString kind = o.value(QStringLiteral("event")).toString();
        if (kind == QStringLiteral("show") || kind == QStringLiteral("close")) {
            out << kind + QLatin1Char(' ') + o.value(QStringLiteral("form")).toString();
        } else if (kind == QStringLiteral("message")) {
            out << kind + QLatin1Char(' ') + o.value(QStringLiteral("text")).toString();
        } else {
            out << kind;
        }
    }
    return out;
}
