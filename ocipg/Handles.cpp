#include "ocipg/Handles.h"

#include "ocipg/Connection.h"

#include <algorithm>
#include <cstdlib>
#include <mutex>
#include <unordered_set>

namespace ocipg {

namespace {

std::mutex g_registryMutex;

std::unordered_set<const void*>& Registry()
{
    static std::unordered_set<const void*> registry;
    return registry;
}

}  // namespace

Handle::Handle(ub4 type, Env* pEnv) : m_nType(type), m_pEnv(pEnv)
{
    std::lock_guard lock(g_registryMutex);
    Registry().insert(this);
}

Handle::~Handle()
{
    std::lock_guard lock(g_registryMutex);
    Registry().erase(this);
}

void* Handle::AllocateUserMemory(size_t size)
{
    m_pUserMemory = std::make_unique<char[]>(size);
    return m_pUserMemory.get();
}

Handle* FindHandle(const void* p)
{
    if (!p)
        return nullptr;
    std::lock_guard lock(g_registryMutex);
    return Registry().count(p) ? static_cast<Handle*>(const_cast<void*>(p)) : nullptr;
}

Env::Env() : Handle(kType, nullptr), m_charset(ClientCharsetOf(std::getenv("NLS_LANG"))) {}

Env::~Env()
{
    while (!m_children.empty())
        m_children.pop_back();
}

Handle* Env::Adopt(std::unique_ptr<Handle> child)
{
    m_children.push_back(std::move(child));
    return m_children.back().get();
}

void Env::Release(Handle* child)
{
    // Most handles go soon after they came: look from the newest.
    const auto it = std::find_if(m_children.rbegin(), m_children.rend(),
                                 [child](const std::unique_ptr<Handle>& p) { return p.get() == child; });
    if (it != m_children.rend())
        m_children.erase(std::next(it).base());
}

Session::~Session() = default;

}  // namespace ocipg
