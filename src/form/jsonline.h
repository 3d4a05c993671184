#pragma once

#include <QJsonValue>
#include <QString>
#include <vector>

namespace torvel {

// A JSON object that keeps its keys in the order they were added, written on one line.
class JsonLine {
public:
    JsonLine& add(const QString& key, const QJsonValue& value);
    JsonLine& add(const QString& key, const JsonLine& object);
    JsonLine& addNull(const QString& key) { return add(key, QJsonValue(QJsonValue::Null)); }
    QString toString() const;
    // The value of a key as written (for tests and the transcript reader), or an empty text.
    bool has(const QString& key) const;

private:
    std::vector<std::pair<QString, QString>> members_;  // key and its serialised value
};

// A JSON value written compactly.
QString jsonText(const QJsonValue& value);

}  // namespace torvel
