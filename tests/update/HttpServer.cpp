#include "tests/update/HttpServer.h"

#include <gtest/gtest.h>

#include <curl/curl.h>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <sstream>
#include <stdexcept>
#include <vector>

extern char** environ;

namespace update_test {

namespace {

pid_t serverProcess = -1;
int serverInput = -1;
int httpPort = 0;
int httpsPort = 0;

// Reads the server's first line within ten seconds.
std::string ReadyLine(int fd)
{
    std::string line;
    for (;;) {
        pollfd wait{fd, POLLIN, 0};
        if (poll(&wait, 1, 10000) != 1)
            throw std::runtime_error("the test web server did not start within 10 s");
        char c;
        if (read(fd, &c, 1) != 1)
            throw std::runtime_error("the test web server ended before it was ready");
        if (c == '\n')
            return line;
        line += c;
    }
}

class WebServer : public ::testing::Environment {
public:
    void SetUp() override
    {
        int toServer[2], fromServer[2];
        if (pipe2(toServer, O_CLOEXEC) != 0 || pipe2(fromServer, O_CLOEXEC) != 0)
            throw std::runtime_error("no pipe for the test web server");
        posix_spawn_file_actions_t actions;
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_adddup2(&actions, toServer[0], 0);
        posix_spawn_file_actions_adddup2(&actions, fromServer[1], 1);
        const std::string script = RIVUVE_FIXTURES "/../update/http_test_server.py";
        const std::string fixtures = FixtureFolder();
        const std::string certificate = fixtures + "server.pem";
        const std::string key = fixtures + "server.key";
        std::vector<char*> argv = {const_cast<char*>("python3"), const_cast<char*>(script.c_str()),
                                   const_cast<char*>(fixtures.c_str()), const_cast<char*>(certificate.c_str()),
                                   const_cast<char*>(key.c_str()), nullptr};
        const int spawned = posix_spawnp(&serverProcess, "python3", &actions, nullptr, argv.data(), environ);
        posix_spawn_file_actions_destroy(&actions);
        close(toServer[0]);
        close(fromServer[1]);
        if (spawned != 0)
            throw std::runtime_error("python3 could not be started for the test web server");
        serverInput = toServer[1];
        std::istringstream ready(ReadyLine(fromServer[0]));
        close(fromServer[0]);
        std::string word;
        ready >> word >> httpPort >> httpsPort;
        if (word != "READY" || httpPort <= 0 || httpsPort <= 0)
            throw std::runtime_error("the test web server said something else than READY");
    }

    void TearDown() override
    {
        if (serverProcess > 0) {
            kill(serverProcess, SIGTERM);
            waitpid(serverProcess, nullptr, 0);
        }
        close(serverInput);
        serverProcess = -1;
    }
};

[[maybe_unused]] const auto* const server = ::testing::AddGlobalTestEnvironment(new WebServer);

std::size_t Collect(char* data, std::size_t size, std::size_t count, void* text)
{
    static_cast<std::string*>(text)->append(data, size * count);
    return size * count;
}

}  // namespace

std::string HttpBase()
{
    return "http://127.0.0.1:" + std::to_string(httpPort);
}

std::string HttpsBase()
{
    return "https://127.0.0.1:" + std::to_string(httpsPort);
}

int HttpPort()
{
    return httpPort;
}

std::string FixtureFolder()
{
    return RIVUVE_FIXTURES "/update/";
}

std::string ServerLog()
{
    std::string text;
    CURL* curl = curl_easy_init();
    curl_easy_setopt(curl, CURLOPT_URL, (HttpBase() + "/log").c_str());
    curl_easy_setopt(curl, CURLOPT_PROXY, "");
    curl_easy_setopt(curl, CURLOPT_WRITEFUNCTION, &Collect);
    curl_easy_setopt(curl, CURLOPT_WRITEDATA, &text);
    curl_easy_perform(curl);
    curl_easy_cleanup(curl);
    return text;
}

}  // namespace update_test
