#!/usr/bin/python3
"""A software KVM agent written independently of zorkvm's own simulator, on python3-websockets.

Logs every message it receives as a JSON line, and answers each snapshot request with a text
message, a truncated copy of the picture, bytes that are not a picture, and then the picture
itself; a client must deliver only the last. Logs the close code and reason when the client goes.
"""
import argparse
import asyncio
import json

import websockets


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--address", required=True)
    parser.add_argument("--port", type=int, default=0)  # 0: the system picks; printed once listening
    parser.add_argument("--jpeg", required=True)
    parser.add_argument("--log", required=True)
    args = parser.parse_args()
    with open(args.jpeg, "rb") as f:
        picture = f.read()
    log = open(args.log, "a", buffering=1)

    def write(entry):
        log.write(json.dumps(entry) + "\n")

    async def serve(ws, path=None):
        try:
            async for message in ws:
                if isinstance(message, bytes):
                    write({"binary": message.hex()})
                    continue
                write({"text": message})
                try:
                    request = json.loads(message)
                except ValueError:
                    continue
                if request.get("type") == "SCRCTL" and request.get("action") == "snapshot":
                    await ws.send("this is not a picture")
                    await ws.send(picture[: len(picture) // 2])
                    await ws.send(b"\xff\xd8\xff\xe0 not a picture at all")
                    await ws.send(picture)
                    write({"answered": "snapshot"})
        except websockets.ConnectionClosed:
            pass
        write({"close_code": ws.close_code, "close_reason": ws.close_reason})

    async def run():
        async with websockets.serve(serve, args.address, args.port) as server:
            port = next(iter(server.sockets)).getsockname()[1]
            print(f"listening {port}", flush=True)
            await asyncio.Future()

    asyncio.run(run())


if __name__ == "__main__":
    main()
