#pragma once

// Base of every engine service and of the game's singletons: one live instance per class,
// reached through the service's getter. A second instance is a programming error.
namespace Engine {

template <class T> class cSingleton {
public:
    cSingleton() {
        if (s_instance)
            throw "Object already exist.";
        // Kept as the base: the derived object is still under construction here.
        s_instance = this;
    }
    virtual ~cSingleton() { s_instance = nullptr; }

    cSingleton(const cSingleton&) = delete;
    cSingleton& operator=(const cSingleton&) = delete;

    static T* getInstance() { return static_cast<T*>(s_instance); }

private:
    static inline cSingleton* s_instance = nullptr;
};

} // namespace Engine
