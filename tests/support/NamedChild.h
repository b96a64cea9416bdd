#pragma once

#include <QObject>
#include <QString>

// The child of parent with the given object name and type. A missing one ends the test run at once with its
// name, rather than as a crash on a null pointer somewhere later.
template <class T, class Parent> T* Named(const Parent& parent, const QString& name) {
    T* child = (&*parent)->template findChild<T*>(name);
    if (!child)
        qFatal("no %s named %s", T::staticMetaObject.className(), qPrintable(name));
    return child;
}

template <class T, class Parent> T* Named(const Parent& parent, const char* name) {
    return Named<T>(parent, QString::fromLatin1(name));
}
