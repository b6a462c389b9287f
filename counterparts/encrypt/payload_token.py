"""The game token of PlaymoorEncrypt.dll's ConvertPayload, for tests:

    token = "PMT-" + upper-case hex of (each UTF-8 byte of the payload XOR 0x5A)

The empty payload gives "PMT-". The payload FAILING_PAYLOAD has no token: the
component answers E_FAIL for it. Same transform as PayloadToken.cpp."""

PREFIX = "PMT-"
XOR_KEY = 0x5A
FAILING_PAYLOAD = "FAIL-CONVERT"


def game_token(payload):
    """The token for a payload (str, as the component sees it after widening)."""
    if payload == FAILING_PAYLOAD:
        raise ValueError("the component fails ConvertPayload for this payload")
    return PREFIX + bytes(b ^ XOR_KEY for b in payload.encode("utf-8")).hex().upper()


def payload_of(token):
    """The payload a token was made from; ValueError for a text that is no token."""
    if not token.startswith(PREFIX):
        raise ValueError(f"not a token: {token!r}")
    digits = token[len(PREFIX):]
    if digits != digits.upper():
        raise ValueError(f"not a token: {token!r}")
    return bytes(b ^ XOR_KEY for b in bytes.fromhex(digits)).decode("utf-8")
