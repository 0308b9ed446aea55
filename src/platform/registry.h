#pragma once
#include <QString>

#include <map>
#include <memory>

namespace kinloom {

// String settings below an emulated registry root, with the key paths and value names the program
// always used ("Software\Kinloom.2.0", "ScreenFontName" ...). A missing or empty value reads as the
// default. An empty value name is the key's default value.
class Registry {
public:
    virtual ~Registry() = default;
    virtual QString ReadString(const QString& key, const QString& name, const QString& defaultValue) = 0;
    virtual bool WriteString(const QString& key, const QString& name, const QString& text) = 0;

    // Yes/no settings are stored as "Yes" and "No"; only "Yes" exactly counts as on.
    bool ReadYesNo(const QString& key, const QString& name, bool defaultValue);
    bool WriteYesNo(const QString& key, const QString& name, bool value);

    // The same below another root: the toolbar positions ("KL_TB1") live below the current
    // user's tree, everything else below the classes root.
    enum class Root { ClassesRoot, CurrentUser };
    static QString RootedKey(Root root, const QString& key);
    QString ReadString(Root root, const QString& key, const QString& name, const QString& defaultValue) {
        return ReadString(RootedKey(root, key), name, defaultValue);
    }
    bool WriteString(Root root, const QString& key, const QString& name, const QString& text) {
        return WriteString(RootedKey(root, key), name, text);
    }
};

inline const QString kSettingsKey = QStringLiteral("Software\\Kinloom.2.0");

// Keeps values in memory: for tests and for batch work that must not touch the user's settings.
class MemoryRegistry : public Registry {
public:
    using Registry::ReadString;
    using Registry::WriteString;
    QString ReadString(const QString& key, const QString& name, const QString& defaultValue) override;
    bool WriteString(const QString& key, const QString& name, const QString& text) override;
    const std::map<std::pair<QString, QString>, QString>& values() const { return values_; }

private:
    std::map<std::pair<QString, QString>, QString> values_;
};

// Keeps values in an INI file; the default file is kinloom.ini in the user's XDG config folder.
std::unique_ptr<Registry> OpenIniRegistry(const QString& iniPath);
QString DefaultRegistryPath();

}  // namespace kinloom
