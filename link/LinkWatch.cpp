#include "LinkWatch.h"

#include "Prompter.h"

void LinkWatch::setObserver(LinkObserver* observer) {
    observer_ = observer;
    origin_ = clock_.now();
}

int LinkWatch::answered(int answer) {
    note(answer == Prompter::Retry ? LinkExchange::Retry : LinkExchange::Cancel);
    return answer;
}

void LinkWatch::begin(QString operation) {
    current_ = LinkExchange{};
    current_.operation = std::move(operation);
    current_.at = clock_.now() - origin_;
    open_ = true;
}

// Operations that put nothing on the line (refused values, a latched failure) make no row.
void LinkWatch::end() {
    open_ = false;
    if (!observer_)
        return;
    if (current_.sent.isEmpty() && current_.received.isEmpty() && current_.outcomes == 0)
        return;
    observer_->exchangeDone(current_);
}

void LinkWatch::Scope::result(const QString& value) {
    if (owner_ && !value.isEmpty())
        watch_.current_.operation += QStringLiteral(" = ") + value;
}
