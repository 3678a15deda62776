#include "transpik/PropertyBag.h"

#include "core/RunTimeError.h"

#include <QFile>
#include <QSaveFile>

PropertyBag PropertyBag::fromText(const QString& text, const QString& source)
{
    PropertyBag bag;
    bag.source_ = source;
    const QStringList lines = text.split(u'\n');
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString line = lines[i].trimmed();
        const int lineNumber = int(i + 1);
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype equals = line.indexOf(u'=');
        const QString key = line.left(equals).trimmed();
        if (equals < 0 || key.isEmpty())
            throw RunTimeError::inFile(source, lineNumber, QStringLiteral("Expected \"key = value\""));
        if (bag.find(key))
            throw RunTimeError::inFile(source, lineNumber, QStringLiteral("\"%1\" is given twice").arg(key));
        const BagValue value = bag::parse(line.mid(equals + 1), {source, lineNumber});
        bag.entries_.push_back({key, value, lineNumber});
    }
    return bag;
}

PropertyBag PropertyBag::load(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        throw RunTimeError::inFile(path, 0, QStringLiteral("File not found"));
    return fromText(QString::fromUtf8(file.readAll()), path);
}

QString PropertyBag::toText() const
{
    QString text;
    for (const Entry& entry : entries_)
        text += entry.key + QStringLiteral(" = ") + bag::format(entry.value) + u'\n';
    return text;
}

void PropertyBag::save(const QString& path) const
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        throw RunTimeError::inFile(path, 0, QStringLiteral("Cannot write: %1").arg(file.errorString()));
    file.write(toText().toUtf8());
    if (!file.commit())
        throw RunTimeError::inFile(path, 0, QStringLiteral("Cannot write: %1").arg(file.errorString()));
}

const PropertyBag::Entry* PropertyBag::find(const QString& key) const
{
    for (const Entry& entry : entries_) {
        if (entry.key.compare(key, Qt::CaseInsensitive) == 0)
            return &entry;
    }
    return nullptr;
}

BagValue PropertyBag::ReadProperty(const QString& key, const BagValue& defaultValue) const
{
    const Entry* entry = find(key);
    return entry ? entry->value : defaultValue;
}

void PropertyBag::WriteProperty(const QString& key, const BagValue& value, const BagValue& defaultValue)
{
    std::erase_if(entries_, [&](const Entry& entry) { return entry.key.compare(key, Qt::CaseInsensitive) == 0; });
    if (!bag::equal(value, defaultValue))
        entries_.push_back({key, value, 0});
}

bool PropertyBag::contains(const QString& key) const { return find(key) != nullptr; }

bag::Place PropertyBag::placeOf(const QString& key) const
{
    const Entry* entry = find(key);
    return {source_, entry ? entry->line : 0};
}
