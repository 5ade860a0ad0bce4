#pragma once
// The object a running window offers at /org/corvala/Corvala: the generated adaptor passes a
// later start's calls to it, and it passes them to the program's handlers.
#include <QObject>
#include <QStringList>
#include <functional>
#include <string>
#include <vector>

class WindowObject : public QObject {
    Q_OBJECT

  public:
    std::function<void(const std::vector<std::string>&)> openFiles;
    std::function<void()> raise;

    void Open(const QStringList& files);
    void Raise();
};
