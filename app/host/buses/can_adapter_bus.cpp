#include "host/buses/can_adapter_bus.h"

#include <sys/eventfd.h>
#include <unistd.h>

#include <QtCore/QCoreApplication>
#include <QtCore/QEventLoop>
#include <QtCore/QLoggingCategory>
#include <QtCore/QSocketNotifier>
#include <QtSerialBus/QCanBus>
#include <QtSerialBus/QCanBusDevice>
#include <QtSerialBus/QCanBusFrame>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <thread>

namespace vlt::host {

namespace {

// How long connecting may take before the host gives up on the adapter.
constexpr auto kConnectLimit = std::chrono::seconds(10);

using Event = CanAdapterBus::Event;

Event EventOf(const QCanBusFrame& in, QCanBusDevice& device) {
  Event event;
  const QCanBusFrame::TimeStamp stamp = in.timeStamp();
  if (stamp.seconds() != 0 || stamp.microSeconds() != 0) {
    event.stampMicros = stamp.seconds() * 1'000'000 + stamp.microSeconds();
  }
  if (in.frameType() == QCanBusFrame::ErrorFrame) {
    event.kind = Event::Kind::kError;
    event.text = "bus error: " + device.interpretErrorFrame(in).toStdString();
    return event;
  }
  if (in.frameType() == QCanBusFrame::RemoteRequestFrame) {
    event.kind = Event::Kind::kRemote;
    return event;
  }
  const QByteArray payload = in.payload();
  if (in.hasFlexibleDataRateFormat() || payload.size() > static_cast<qsizetype>(kMaxCanDataBytes)) {
    event.kind = Event::Kind::kFd;
    return event;
  }
  if (!in.hasExtendedFrameFormat()) {
    event.kind = Event::Kind::kShortId;
    return event;
  }
  event.frame.id = in.frameId();
  event.frame.length = static_cast<std::uint8_t>(payload.size());
  for (qsizetype i = 0; i < payload.size(); ++i) {
    event.frame.data[static_cast<std::size_t>(i)] = static_cast<std::uint8_t>(payload[i]);
  }
  return event;
}

}  // namespace

// The adapter's thread: owns the QCanBusDevice and its event loop. The host's
// thread reaches it only through a mutex-guarded queue and an eventfd (no Qt
// calls across threads), so that nothing rests on Qt's own synchronisation.
class CanAdapterBus::Worker {
 public:
  Worker(QString plugin, QString interfaceName, int wakeFd)
      : plugin_(std::move(plugin)),
        interface_(std::move(interfaceName)),
        wakeFd_(wakeFd),
        kickFd_(::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC)) {}

  ~Worker() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    Kick();
    if (thread_.joinable()) thread_.join();
    if (kickFd_ >= 0) ::close(kickFd_);
  }
  Worker(const Worker&) = delete;
  Worker& operator=(const Worker&) = delete;

  void Start() {
    thread_ = std::thread([this] { Run(); });
  }

  // Blocks until the device is connected or has failed; empty or the reason.
  std::string WaitConnected() {
    if (kickFd_ < 0)
      return std::string("cannot make the adapter's eventfd: ") + std::strerror(errno);
    std::unique_lock lock(mutex_);
    if (!connectDone_.wait_for(lock, kConnectLimit,
                               [this] { return connectResult_.has_value(); })) {
      return "the adapter did not connect within " +
             std::to_string(std::chrono::seconds(kConnectLimit).count()) + " s";
    }
    return *connectResult_;
  }

  void Send(const BusFrame& frame) {
    {
      std::lock_guard lock(mutex_);
      outgoing_.push_back(frame);
    }
    Kick();
  }

  void TakeEvents(std::deque<Event>& into) {
    std::lock_guard lock(mutex_);
    while (!events_.empty()) {
      into.push_back(std::move(events_.front()));
      events_.pop_front();
    }
  }

 private:
  void Run() {
    if (kickFd_ < 0) return;
    QEventLoop loop;
    QString error;
    std::unique_ptr<QCanBusDevice> device(
        QCanBus::instance()->createDevice(plugin_, interface_, &error));
    if (!device) {
      Connected("cannot open " + interface_.toStdString() + " with the Qt CAN plugin " +
                plugin_.toStdString() + ": " +
                (error.isEmpty() ? std::string("no such plugin") : error.toStdString()));
      return;
    }
    QCanBusDevice* raw = device.get();
    QObject::connect(raw, &QCanBusDevice::framesReceived, raw, [this, raw] {
      while (raw->framesAvailable() > 0) {
        const QCanBusFrame frame = raw->readFrame();
        if (frame.isValid()) Push(EventOf(frame, *raw));
      }
    });
    QObject::connect(
        raw, &QCanBusDevice::errorOccurred, raw, [this, raw](QCanBusDevice::CanBusError kind) {
          if (!up_) return;  // a failed connect is told through Connected
          Event event;
          event.kind =
              kind == QCanBusDevice::ConnectionError ? Event::Kind::kLost : Event::Kind::kError;
          event.text = raw->errorString().toStdString();
          Push(std::move(event));
        });
    QObject::connect(raw, &QCanBusDevice::stateChanged, raw,
                     [this, raw, &loop](QCanBusDevice::CanBusDeviceState state) {
                       if (state == QCanBusDevice::ConnectedState && !up_) {
                         up_ = true;
                         Connected({});
                       } else if (state == QCanBusDevice::UnconnectedState) {
                         if (up_) {
                           Event event;
                           event.kind = Event::Kind::kLost;
                           event.text = "the adapter disconnected";
                           Push(std::move(event));
                         } else {
                           Connected("cannot connect " + interface_.toStdString() + ": " +
                                     raw->errorString().toStdString());
                         }
                         loop.quit();
                       }
                     });
    QSocketNotifier kicks(kickFd_, QSocketNotifier::Read);
    QObject::connect(&kicks, &QSocketNotifier::activated, raw, [this, raw, &loop] {
      std::uint64_t count = 0;
      [[maybe_unused]] const ssize_t ignored = ::read(kickFd_, &count, sizeof(count));
      std::deque<BusFrame> frames;
      bool stop = false;
      {
        std::lock_guard lock(mutex_);
        frames.swap(outgoing_);
        stop = stopping_;
      }
      if (stop) {
        loop.quit();
        return;
      }
      for (const BusFrame& frame : frames) {
        QCanBusFrame out(
            frame.id, QByteArray(reinterpret_cast<const char*>(frame.data.data()), frame.length));
        out.setExtendedFrameFormat(true);
        raw->writeFrame(out);
      }
    });
    if (!raw->connectDevice() || raw->state() == QCanBusDevice::UnconnectedState) {
      Connected("cannot connect " + interface_.toStdString() + ": " +
                raw->errorString().toStdString());
      return;
    }
    if (raw->state() == QCanBusDevice::ConnectedState && !up_) {
      up_ = true;
      Connected({});
    }
    loop.exec();
    QObject::disconnect(raw, nullptr, nullptr, nullptr);
    if (raw->state() != QCanBusDevice::UnconnectedState) raw->disconnectDevice();
  }

  void Connected(std::string result) {
    std::lock_guard lock(mutex_);
    if (connectResult_) return;
    connectResult_ = std::move(result);
    connectDone_.notify_all();
  }

  void Push(Event event) {
    {
      std::lock_guard lock(mutex_);
      events_.push_back(std::move(event));
    }
    const std::uint64_t one = 1;
    [[maybe_unused]] const ssize_t ignored = ::write(wakeFd_, &one, sizeof(one));
  }

  void Kick() {
    const std::uint64_t one = 1;
    if (kickFd_ >= 0) {
      [[maybe_unused]] const ssize_t ignored = ::write(kickFd_, &one, sizeof(one));
    }
  }

  QString plugin_;
  QString interface_;
  int wakeFd_;       // tells the host's loop that events wait
  int kickFd_;       // tells the worker that frames or the stop wait
  bool up_ = false;  // the worker thread's own
  std::thread thread_;
  std::mutex mutex_;
  std::condition_variable connectDone_;
  std::optional<std::string> connectResult_;
  bool stopping_ = false;
  std::deque<BusFrame> outgoing_;
  std::deque<Event> events_;
};

CanAdapterBus::CanAdapterBus(std::string plugin, std::string interfaceName, BusReceiver receiver,
                             std::function<void(const std::string&)> report)
    : plugin_(std::move(plugin)),
      interface_(std::move(interfaceName)),
      receiver_(std::move(receiver)),
      report_(std::move(report)) {}

CanAdapterBus::~CanAdapterBus() {
  worker_.reset();
  if (wakeFd_ >= 0) ::close(wakeFd_);
}

namespace {

// Qt's event loops refuse to run without an application object. It lives on the
// host's main thread, never runs its own loop there, and stays to the end.
void EnsureQtApplication() {
  if (QCoreApplication::instance() != nullptr) return;
  static int argc = 1;
  static char name[] = "vlt-host";
  static char* argv[] = {name, nullptr};
  static QCoreApplication* application = new QCoreApplication(argc, argv);
  (void)application;
  // The plugins' chatter is no news for the person at the host.
  QLoggingCategory::setFilterRules(
      QStringLiteral("qt.canbus.*.debug=false\nqt.canbus.*.info=false"));
}

}  // namespace

std::string CanAdapterBus::Open() {
  EnsureQtApplication();
  wakeFd_ = ::eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
  if (wakeFd_ < 0) return std::string("cannot make the adapter's eventfd: ") + std::strerror(errno);
  worker_ = std::make_unique<Worker>(QString::fromStdString(plugin_),
                                     QString::fromStdString(interface_), wakeFd_);
  worker_->Start();
  std::string error = worker_->WaitConnected();
  if (!error.empty()) worker_.reset();
  return error;
}

void CanAdapterBus::Put(const BusFrame& frame) {
  if (lost_ || !worker_) return;
  worker_->Send(frame);
  ++counters_.sent;
}

void CanAdapterBus::AppendPollFds(std::vector<pollfd>& fds) {
  fds.push_back({wakeFd_, POLLIN, 0});
}

void CanAdapterBus::Service(std::span<const pollfd> fds, std::int64_t nowMicros) {
  if (fds.empty() || fds[0].revents == 0 || !worker_) return;
  std::uint64_t count = 0;
  [[maybe_unused]] const ssize_t ignored = ::read(wakeFd_, &count, sizeof(count));
  worker_->TakeEvents(taken_);
  while (!taken_.empty()) {
    Event event = std::move(taken_.front());
    taken_.pop_front();
    switch (event.kind) {
      case Event::Kind::kFrame: {
        counters_.in.Count(CandumpLine::Kind::kFrame);
        std::optional<std::int64_t> stamp;
        if (event.stampMicros) stamp = stamps_.ToHost(*event.stampMicros, nowMicros);
        receiver_(event.frame, stamp);
        break;
      }
      case Event::Kind::kShortId:
        counters_.in.Count(CandumpLine::Kind::kShortId);
        break;
      case Event::Kind::kRemote:
        counters_.in.Count(CandumpLine::Kind::kRemote);
        break;
      case Event::Kind::kFd:
        counters_.in.Count(CandumpLine::Kind::kFd);
        break;
      case Event::Kind::kError:
        ++counters_.errors;
        report_(Name() + ": " + event.text);
        break;
      case Event::Kind::kLost:
        ++counters_.errors;
        report_(Name() + " lost: " + event.text);
        lost_ = true;
        break;
    }
  }
}

std::string CanAdapterBus::StatsText() const {
  return "can_frames=" + std::to_string(counters_.in.frames) +
         " can_11bit=" + std::to_string(counters_.in.shortIds) +
         " can_remote=" + std::to_string(counters_.in.remote) +
         " can_fd=" + std::to_string(counters_.in.fd) +
         " can_sent=" + std::to_string(counters_.sent) +
         " can_errors=" + std::to_string(counters_.errors);
}

}  // namespace vlt::host
