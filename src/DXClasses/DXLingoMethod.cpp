#include "DXClasses/DXLingoMethod.h"

namespace {

Ref<IDXScriptFunction> DeclareLine(IDXScriptFunctions& functions, const TDXLingoSignature& method) {
  switch (method.Kind) {
    case fkGlobal:
      return functions.AddGlobalFunction(method.Name, method.Comment);
    case fkXtra:
      return functions.AddXtraFunction(method.Name, method.Comment);
    case fkMethod:
      return functions.AddMethod(method.Name, method.Comment)->AddArgument("me", dvObject);
    case fkNew:
    case fkForget:
      break;  // refused when the row is made
  }
  return functions.AddMethod(method.Name, method.Comment);
}

}  // namespace

void DeclareLingoMethod(IDXScriptFunctions& functions, const TDXLingoSignature& method) {
  Ref<IDXScriptFunction> line = DeclareLine(functions, method);
  for (const TDXLingoArgument& argument : method.ArgumentList())
    line = line->AddArgument(argument.Name, argument.Kind);
}

void PresetFailureValue(IDXValue& result, TDXFailureValue failure) {
  switch (failure) {
    case TDXFailureValue::None:
      return;
    case TDXFailureValue::False:
      return result.SetAsBoolean(false);
    case TDXFailureValue::Zero:
      return result.SetAsInteger(0);
    case TDXFailureValue::EmptyString:
      return result.SetAsString({});
    case TDXFailureValue::ZeroFloat:
      return result.SetAsFloat(0.0);
  }
}
