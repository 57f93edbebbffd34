#include "exchange/GrowingFile.h"

void GrowingFile::Grow(qint64 written)
{
    {
        const std::lock_guard lock(m_mutex);
        m_written = written;
    }
    m_changed.notify_all();
}

void GrowingFile::End()
{
    {
        const std::lock_guard lock(m_mutex);
        m_ended = true;
    }
    m_changed.notify_all();
}

qint64 GrowingFile::WaitFor(qint64 bytes) const
{
    std::unique_lock lock(m_mutex);
    m_changed.wait(lock, [&] { return m_written >= bytes || m_ended; });
    return m_written;
}
