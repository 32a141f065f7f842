// A worker's answer that outlives a fork. It lives on the heap: a forked
// child, which has no worker, forgets its parent's answer instead of waiting
// in the future's destructor for a thread that is not there. One answer per
// type (types of an unnamed namespace are their file's own).
#pragma once

#include <future>

#include <pthread.h>

template <class T>
std::future<T>& Nebenher_Antwort() {
    static std::future<T>* zeiger = nullptr;
    static const bool angemeldet = [] {
        pthread_atfork(nullptr, nullptr, [] { zeiger = nullptr; });
        return true;
    }();
    (void)angemeldet;
    if (!zeiger) zeiger = new std::future<T>();
    return *zeiger;
}
