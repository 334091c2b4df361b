{ A small Object Pascal unit to open in Tarnquill. }
unit Sample;

interface

type
  TGreeter = class
  private
    FName: string;
  public
    constructor Create(const AName: string);
    function Greeting: string;
    property Name: string read FName write FName;
  end;

implementation

constructor TGreeter.Create(const AName: string);
begin
  inherited Create;
  FName := AName;
end;

(* Builds the greeting: a multi-line comment
   that the highlighter must carry over lines. *)
function TGreeter.Greeting: string;
var
  I: Integer;
begin
  Result := 'Hello, ' + FName + '!';
  for I := 1 to 3 do
    Result := Result + #13#10 + IntToStr(I * $10);
  asm
    mov eax, 1
  end;
end;

end.
