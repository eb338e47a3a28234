#pragma once

#include <memory>
#include <utility>

// Sole owner of a record's node tree or document chain: a std::unique_ptr that also reads as
// the plain pointer it holds, so code that only looks at the object keeps pointer syntax,
// while giving the record an object takes a std::unique_ptr and is written as a transfer.
// A raw pointer cannot be assigned. What the object owns is freed by its own destructor,
// which walks trees and chains without recursion.
template <class T>
class QAOwned : public std::unique_ptr<T>
{
public:
    QAOwned() noexcept = default;
    QAOwned(std::unique_ptr<T>&& owned) noexcept : std::unique_ptr<T>(std::move(owned)) {}

    QAOwned& operator=(std::unique_ptr<T>&& owned) noexcept
    {
        std::unique_ptr<T>::operator=(std::move(owned));
        return *this;
    }

    operator T*() const noexcept { return this->get(); }
    T* data() const noexcept { return this->get(); }
};
