#include "backup/failures.h"

#include "fb/fberror.h"
#include "fb/service.h"

namespace failures {

namespace {

QString messageOf(std::exception_ptr error)
{
    try {
        std::rethrow_exception(error);
    } catch (const EError& e) {
        return e.message();
    } catch (const std::exception& e) {
        return QString::fromLocal8Bit(e.what());
    } catch (...) {
    }
    return {};
}

// Why the server could not restore a backup handed to it.
QString restoreReason(std::exception_ptr error, bool checking)
{
    try {
        std::rethrow_exception(error);
    } catch (const fb::FbError& e) {
        if (e.isConnectionFailure())
            return QStringLiteral(u"Não foi possível comunicar com o servidor do banco de dados.");
        if (fb::isFileCreationFailure(e))
            return QStringLiteral(u"O servidor do banco de dados não conseguiu criar um banco de dados na pasta "
                                  u"do banco de dados do Marvok.");
    } catch (...) {
    }
    return checking ? QStringLiteral(u"A cópia gravada não pôde ser conferida: o servidor do banco de dados não "
                                     u"conseguiu restaurá-la.")
                    : QStringLiteral(u"O arquivo escolhido não é uma cópia de segurança que possa ser restaurada: "
                                     u"está incompleto, danificado ou é de outro tipo.");
}

} // namespace

Failure of(const QString& reason, std::exception_ptr error) { return Failure{reason, messageOf(error)}; }

Failure ofCarrying(const Carried& carried, const QString& source, bool checking)
{
    switch (carried.failed) {
    case Carried::Side::None:
        return {};
    case Carried::Side::Source:
        return of(source, carried.error);
    case Carried::Side::Copy:
        return of(QStringLiteral(u"Não foi possível gravar o arquivo."), carried.error);
    case Carried::Side::Restore:
        break;
    }
    return of(restoreReason(carried.error, checking), carried.error);
}

} // namespace failures
