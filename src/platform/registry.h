#pragma once
#include <QString>

#include <map>
#include <memory>

namespace kinloom {

// String settings below an emulated registry root, with the key paths and value names the program
// always used ("Software\Kinloom.2.0", "screenFontName" ...). A missing or empty value reads as the
// default. An empty value name is the key's default value.
class Registry {
public:
    virtual ~Registry() = default;
    virtual QString readString(const QString& key, const QString& name, const QString& defaultValue) = 0;
    virtual bool writeString(const QString& key, const QString& name, const QString& text) = 0;

    // Yes/no settings are stored as "Yes" and "No"; only "Yes" exactly counts as on.
    bool readYesNo(const QString& key, const QString& name, bool defaultValue);
    bool writeYesNo(const QString& key, const QString& name, bool value);

    // The same below another root: the toolbar positions ("KL_TB1") live below the current
    // user's tree, everything else below the classes root.
    enum class Root { ClassesRoot, CurrentUser };
    static QString rootedKey(Root root, const QString& key);
    QString readString(Root root, const QString& key, const QString& name, const QString& defaultValue) {
        return readString(rootedKey(root, key), name, defaultValue);
    }
    bool writeString(Root root, const QString& key, const QString& name, const QString& text) {
        return writeString(rootedKey(root, key), name, text);
    }
};

inline const QString kSettingsKey = QStringLiteral("Software\\Kinloom.2.0");

// Keeps values in memory: for tests and for batch work that must not touch the user's settings.
class MemoryRegistry : public Registry {
public:
    using Registry::readString;
    using Registry::writeString;
    QString readString(const QString& key, const QString& name, const QString& defaultValue) override;
    bool writeString(const QString& key, const QString& name, const QString& text) override;
    const std::map<std::pair<QString, QString>, QString>& values() const { return values_; }

private:
    std::map<std::pair<QString, QString>, QString> values_;
};

// Keeps values in an INI file; the default file is kinloom.ini in the user's XDG config folder.
std::unique_ptr<Registry> openIniRegistry(const QString& iniPath);
QString defaultRegistryPath();

}  // namespace kinloom
