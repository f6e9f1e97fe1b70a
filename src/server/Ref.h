// Reference counting for the objects of the server environment.
#pragma once

#include <atomic>
#include <cassert>
#include <utility>

namespace kw::server {

/// Base of every server object. An object starts with no reference; whoever holds it holds a `Ref`.
/// `addRef`/`release` are public so that the module exports can take over and give back references
/// exactly as the host hands them.
class RefCounted {
public:
    void addRef() const { m_count.fetch_add(1, std::memory_order_relaxed); }
    void release() const
    {
        const int before = m_count.fetch_sub(1, std::memory_order_acq_rel);
        assert(before > 0 && "release without a reference");
        if (before == 1)
            delete this;
    }
    int refCount() const { return m_count.load(std::memory_order_relaxed); }

protected:
    RefCounted() = default;
    RefCounted(const RefCounted &) = delete;
    RefCounted &operator=(const RefCounted &) = delete;
    virtual ~RefCounted() = default;

private:
    mutable std::atomic<int> m_count{0};
};

/// Holds one reference to a server object.
template <class T> class Ref {
public:
    Ref() = default;
    Ref(std::nullptr_t) {}
    explicit Ref(T *object) : m_object(object)
    {
        if (m_object)
            m_object->addRef();
    }
    Ref(const Ref &other) : Ref(other.m_object) {}
    Ref(Ref &&other) noexcept : m_object(std::exchange(other.m_object, nullptr)) {}
    template <class U> Ref(const Ref<U> &other) : Ref(static_cast<T *>(other.get())) {}
    ~Ref() { reset(); }

    Ref &operator=(Ref other) noexcept
    {
        std::swap(m_object, other.m_object);
        return *this;
    }

    /// Takes over a reference that the caller already owns (no addRef).
    static Ref adopt(T *object)
    {
        Ref ref;
        ref.m_object = object;
        return ref;
    }

    void reset()
    {
        if (T *old = std::exchange(m_object, nullptr))
            old->release();
    }

    T *get() const { return m_object; }
    T *operator->() const
    {
        assert(m_object);
        return m_object;
    }
    T &operator*() const { return *m_object; }
    explicit operator bool() const { return m_object != nullptr; }
    bool operator==(const Ref &other) const { return m_object == other.m_object; }

private:
    T *m_object = nullptr;
};

template <class T, class... Args> Ref<T> makeRef(Args &&...args)
{
    return Ref<T>(new T(std::forward<Args>(args)...));
}

} // namespace kw::server
