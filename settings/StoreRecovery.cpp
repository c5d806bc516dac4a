#include "settings/StoreRecovery.h"

#include <ctime>
#include <mutex>
#include <string>
#include <system_error>

namespace tickwell {

namespace {

std::mutex noticeMutex;
std::optional<StoreRecoveryNotice> pendingNotice;

std::filesystem::path withSuffix(const std::filesystem::path& file, const std::string& suffix) {
    std::filesystem::path result = file;
    result += suffix;
    return result;
}

} // namespace

std::optional<StoreRecoveryNotice> takeStoreRecoveryNotice() {
    std::lock_guard lock(noticeMutex);
    auto notice = std::move(pendingNotice);
    pendingNotice.reset();
    return notice;
}

std::filesystem::path damagedFileName(const std::filesystem::path& file,
                                      std::chrono::system_clock::time_point when) {
    const std::time_t t = std::chrono::system_clock::to_time_t(when);
    std::tm local{};
    localtime_r(&t, &local);
    char stamp[32];
    std::strftime(stamp, sizeof stamp, "%Y%m%d-%H%M%S", &local);
    const std::string base = std::string(".damaged-") + stamp;
    std::filesystem::path candidate = withSuffix(file, base);
    std::error_code ec;
    for (int n = 2; std::filesystem::exists(candidate, ec) ||
                    std::filesystem::exists(withSuffix(candidate, "-wal"), ec);
         ++n) {
        candidate = withSuffix(file, base + "-" + std::to_string(n));
    }
    return candidate;
}

StoreRecoveryNotice moveDamagedFileAside(const std::filesystem::path& file) {
    const auto when = std::chrono::system_clock::now();
    const std::filesystem::path target = damagedFileName(file, when);
    std::error_code ec;
    std::filesystem::rename(file, target, ec);
    if (ec) {
        throw StoreDatabaseError("settings store: the damaged file " + file.string() +
                                 " cannot be moved aside: " + ec.message());
    }
    // The companions belong to the damaged file; left in place they would be taken for part of
    // the fresh store.
    for (const char* companion : {"-wal", "-shm", "-journal"}) {
        const auto from = withSuffix(file, companion);
        if (std::filesystem::exists(from, ec)) {
            std::filesystem::rename(from, withSuffix(target, companion), ec);
            if (ec) {
                throw StoreDatabaseError("settings store: " + from.string() +
                                         " cannot be moved aside: " + ec.message());
            }
        }
    }
    StoreRecoveryNotice notice{file, target, when};
    std::lock_guard lock(noticeMutex);
    pendingNotice = notice;
    return notice;
}

} // namespace tickwell
