#include "seam_fakes.h"

namespace lullex::test {

void RecordingTimer::start()
{
    running = true;
    ++starts;
    calls.push_back("start");
}

void RecordingTimer::stop()
{
    running = false;
    ++stops;
    calls.push_back("stop");
}

std::tm LocalTime(int year, int month, int day, int hour, int minute, int second)
{
    std::tm time{};
    time.tm_year = year - 1900;
    time.tm_mon = month - 1;
    time.tm_mday = day;
    time.tm_hour = hour;
    time.tm_min = minute;
    time.tm_sec = second;
    return time;
}

BoxAnswer RecordingPrompter::show(const MessageBox& box)
{
    boxes.push_back(box);
    if (whileOpen && !m_open) {
        m_open = true;
        whileOpen(box);
        m_open = false;
    }
    if (answer) {
        return *answer;
    }
    return box.buttons == BoxButtons::YesNo ? BoxAnswer::Yes : BoxAnswer::Ok;
}

bool FakeReceivePort::BindReceivePort(int32_t port)
{
    boundPorts.push_back(port);
    return bindSucceeds;
}

}  // namespace lullex::test
