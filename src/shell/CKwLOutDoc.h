// The module's document: empty, since the layout's state lives in the tabbed view.
#pragma once

#include <QObject>

namespace kw::shell {

class CKwLOutDoc : public QObject {
public:
    explicit CKwLOutDoc(QObject *parent = nullptr) : QObject(parent) {}
    /// A new, empty document; always succeeds.
    bool onNewDocument() { return true; }
};

} // namespace kw::shell
