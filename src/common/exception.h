// The exception model shared by every layer: one base class carrying a UTF-16 message.
#pragma once

#include <exception>
#include <string>

// The general exception: internal errors ("駄目だこりゃ!…") use it directly; the
// overflow, range and cancel errors derive from it. Front ends show message().
class E一般例外 : public std::exception {
public:
    explicit E一般例外(std::u16string sMessage);
    const std::u16string& message() const noexcept { return sMessage_; }
    const char* what() const noexcept override { return sUtf8_.c_str(); }

private:
    std::u16string sMessage_;
    std::string sUtf8_;
};

// 32-bit integer arithmetic that would leave the signed range.
class E整数オーバーフロー : public E一般例外 {
public:
    E整数オーバーフロー() : E一般例外(u"整数オーバーフロー") {}
};

// An index outside a string or an array.
class E範囲エラー : public E一般例外 {
public:
    E範囲エラー() : E一般例外(u"範囲チェックエラー") {}
};
