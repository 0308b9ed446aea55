#include "platform/registry.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>

namespace kinloom {

bool Registry::readYesNo(const QString& key, const QString& name, bool defaultValue) {
    return readString(key, name, defaultValue ? QStringLiteral("Yes") : QStringLiteral("No")) ==
           QStringLiteral("Yes");
}

bool Registry::writeYesNo(const QString& key, const QString& name, bool value) {
    return writeString(key, name, value ? QStringLiteral("Yes") : QStringLiteral("No"));
}

QString Registry::rootedKey(Root root, const QString& key) {
    // Keys below the classes root keep their plain path, so existing settings files stay valid.
    return root == Root::CurrentUser ? QStringLiteral("HKEY_CURRENT_USER\\") + key : key;
}

QString MemoryRegistry::readString(const QString& key, const QString& name, const QString& defaultValue) {
    const auto it = values_.find({key, name});
    return it == values_.end() || it->second.isEmpty() ? defaultValue : it->second;
}

bool MemoryRegistry::writeString(const QString& key, const QString& name, const QString& text) {
    values_[{key, name}] = text;
    return true;
}

namespace {

// QSettings groups are separated by '/', registry keys by '\'. A key's default value is stored
// under the name "@Default".
QString settingsPath(const QString& key, const QString& name) {
    QString path = key;
    path.replace(QLatin1Char('\\'), QLatin1Char('/'));
    return path + QLatin1Char('/') + (name.isEmpty() ? QStringLiteral("@Default") : name);
}

class IniRegistry : public Registry {
public:
    explicit IniRegistry(const QString& path) : settings_(path, QSettings::IniFormat) {}
    QString readString(const QString& key, const QString& name, const QString& defaultValue) override {
        const QString value = settings_.value(settingsPath(key, name)).toString();
        return value.isEmpty() ? defaultValue : value;
    }
    bool writeString(const QString& key, const QString& name, const QString& text) override {
        settings_.setValue(settingsPath(key, name), text);
        settings_.sync();
        // A file that could not be parsed keeps reporting formatError although it is rewritten
        // in good order; only an access error means the value did not reach the disk.
        return settings_.status() != QSettings::AccessError;
    }

private:
    QSettings settings_;
};

}  // namespace

std::unique_ptr<Registry> openIniRegistry(const QString& iniPath) {
    return std::make_unique<IniRegistry>(iniPath);
}

QString defaultRegistryPath() {
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
           QStringLiteral("/kinloom/kinloom.ini");
}

}  // namespace kinloom
