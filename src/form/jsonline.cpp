#include "form/jsonline.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace torvel {

QString jsonText(const QJsonValue& value) {
    const QByteArray array = QJsonDocument(QJsonArray{value}).toJson(QJsonDocument::Compact);
    return QString::fromUtf8(array.mid(1, array.size() - 2));
}

JsonLine& JsonLine::add(const QString& key, const QJsonValue& value) {
    members_.emplace_back(key, jsonText(value));
    return *this;
}

JsonLine& JsonLine::add(const QString& key, const JsonLine& object) {
    members_.emplace_back(key, object.toString());
    return *this;
}

bool JsonLine::has(const QString& key) const {
    for (const auto& m : members_) {
        if (m.first == key) {
            return true;
        }
    }
    return false;
}

QString JsonLine::toString() const {
    QString out = QStringLiteral("{");
    bool first = true;
    for (const auto& [key, value] : members_) {
        if (!first) {
            out += QLatin1Char(',');
        }
        first = false;
        out += jsonText(key) + QLatin1Char(':') + value;
    }
    return out + QLatin1Char('}');
}

}  // namespace torvel
